// The catalogue, the read module and finding the game's file, by the rules in
// tests/data/config-rules.tsv.

#include "config/catalogue.h"
#include "config/commandline.h"
#include "config/gameconfig.h"
#include "config/readmodule.h"
#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

class ReadModuleTest : public testing::Test {
protected:
    // The value a counted read gives; a plain read must give the same.
    std::string read(const char* section, const char* key)
    {
        m_module.ReadResult = "left over";
        m_module.ReadGameValueCounted(section, key, m_file);
        const std::string counted = m_module.ReadResult;
        m_module.ReadResult = "left over";
        m_module.ReadGameValue(section, key, m_file);
        EXPECT_EQ(m_module.ReadResult, counted);
        return counted;
    }

    test::TemporaryFolder m_dir;
    std::string m_file = m_dir.file("UnrealTournament.ini");
    ReadModule m_module;
};

// Counted reads count found and missing keys alike; plain reads do not count.
TEST_F(ReadModuleTest, GivesTheValueOrDefaultCutTo254Characters)
{
    EXPECT_EQ(read("S", "K"), "Default") << "no file";
    const std::string kLong(300, 'x');
    test::writeFile(m_file, "[S]\r\nK=1\r\nE=\r\n[L]\r\nK=" + kLong);
    EXPECT_EQ(read("s", "k"), "1");
    EXPECT_EQ(read("S", "J"), "Default");
    EXPECT_EQ(read("S", "E"), "");
    EXPECT_EQ(read("L", "K"), kLong.substr(0, 254));
    EXPECT_EQ(m_module.ReadCount, 5);
}

TEST_F(ReadModuleTest, WriteCreatesTheFileThenMatchesKeysWithoutCase)
{
    ASSERT_TRUE(m_module.WriteGameValue("Engine.GameEngine", "CacheSizeMegs", "96", m_file).ok());
    ASSERT_TRUE(m_module.WriteGameValue("engine.gameengine", "cachesizemegs", "64", m_file).ok());
    EXPECT_EQ(platform::readWholeFile(m_file), "[Engine.GameEngine]\r\nCacheSizeMegs=64\r\n");
    // A copy that cannot be kept first stops the write with its reason.
    m_module.beforeWrite = [](const std::string&) {
        return platform::WriteOutcome::failed("full");
    };
    EXPECT_EQ(m_module.WriteGameValue("Engine.GameEngine", "CacheSizeMegs", "8", m_file).reason,
              "full");
    EXPECT_EQ(platform::readWholeFile(m_file), "[Engine.GameEngine]\r\nCacheSizeMegs=64\r\n");
}

// The registry's folder lives in a temporary folder: backslashes become slashes there.
class FixedLocator : public platform::GameLocator {
public:
    FixedLocator(std::string folder, std::string root)
        : m_folder(std::move(folder)), m_root(std::move(root))
    {}
    std::string gameFolder() const override { return m_folder; }
    std::string localPath(const std::string& windowsPath) const override
    {
        std::string path = windowsPath;
        std::ranges::replace(path, '\\', '/');
        return windowsPath.starts_with("\\\\") ? std::string() : m_root + "/" + path;
    }

private:
    std::string m_folder, m_root;
};

struct LocateRow {
    const char* name;
    const char* folder;
    std::vector<std::string> files; // made in this order, a second apart, under the root
    const char* iniFile;            // given with --ini ("" for none), under the root
    const char* windowsPath;        // nullptr: not found; native: the native build's file
    const char* why;                // the start of the reason given
};

constexpr const char* kNative = "home/.utpg/System/UnrealTournament.ini";
// clang-format off
const LocateRow kLocateRows[] = {
    {"plain_folder", "C:\\Games\\UT", {}, "", "C:\\Games\\UT\\System\\UnrealTournament.ini", "The game's folder"},
    {"trailing_backslash_is_doubled", "C:\\Games\\UT\\", {}, "", "C:\\Games\\UT\\\\System\\UnrealTournament.ini", "The game's folder"},
    {"empty_folder_is_not_found", "", {}, "", nullptr, ""},
    {"folder_without_a_local_path_is_not_found", "\\\\server\\UT", {}, "", nullptr, ""},
    {"system64_written_last", "UT", {"UT/System/UnrealTournament.ini", "UT/System64/UnrealTournament.ini"}, "", "UT\\System64\\UnrealTournament.ini", "System64's file was written after"},
    {"system_written_last", "UT", {"UT/System64/UnrealTournament.ini", "UT/System/UnrealTournament.ini"}, "", "UT\\System\\UnrealTournament.ini", "System's file was written after"},
    {"only_system64", "UT", {"UT/System64/UnrealTournament.ini"}, "", "UT\\System64\\UnrealTournament.ini", "Only System64"},
    {"native_game_without_a_registry_folder", "", {kNative}, "", kNative, "The native Linux game"},
    {"registry_folder_before_the_native_game", "UT", {kNative}, "", "UT\\System\\UnrealTournament.ini", "The game's folder"},
    {"ini_given_wins_and_need_not_exist", "UT", {"UT/System64/UnrealTournament.ini"}, "mine.ini", "mine.ini", "Named on the command line"},
    {"ini_in_a_missing_folder_is_not_found", "UT", {}, "gone/mine.ini", nullptr, ""},
    {"ini_naming_a_folder_is_not_found", "UT", {"UT/System/UnrealTournament.ini"}, "UT", nullptr, ""},
};
// clang-format on

class LocateGameConfig : public testing::TestWithParam<LocateRow> {};

TEST_P(LocateGameConfig, ChoosesTheFileTheGameReads)
{
    const LocateRow& row = GetParam();
    const test::TemporaryFolder root;
    auto time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const std::string& file : row.files) {
        std::filesystem::create_directories(std::filesystem::path(root.file(file)).parent_path());
        test::writeFile(root.file(file), "[Engine.Engine]\r\n");
        std::filesystem::last_write_time(root.file(file), time += std::chrono::seconds(1));
    }
    const GameConfigRequest request{*row.iniFile ? root.file(row.iniFile) : "", root.file(kNative)};
    const auto location = locateGameConfig(FixedLocator(row.folder, root.path()), request);
    ASSERT_EQ(location.has_value(), row.windowsPath != nullptr);
    if (!location)
        return;
    if (*row.iniFile || row.windowsPath == std::string(kNative)) {
        EXPECT_EQ(location->Utpath, root.file(row.windowsPath));
    } else {
        EXPECT_EQ(location->GameFolder, row.folder);
        EXPECT_EQ(location->windowsPath, row.windowsPath);
        EXPECT_EQ(location->Utpath, FixedLocator("", root.path()).localPath(row.windowsPath));
    }
    EXPECT_TRUE(location->why.starts_with(row.why)) << location->why;
}

INSTANTIATE_TEST_SUITE_P(Rows, LocateGameConfig, testing::ValuesIn(kLocateRows), test::RowName());

VELMORA_RULES(DriverTable, BothWritersAndBothListsAgree, "config-rules.tsv", "driver", 4)
{
    const test::TableRow& row = GetParam();
    EXPECT_EQ(classForListItem(row[1]), row[3]);
    EXPECT_EQ(classForDisplayName(row[2]), row[3]);
    EXPECT_EQ(displayNameForClass(row[3]), row[2]);
}

struct InstalledRow {
    const char* name;
    std::vector<std::string> files; // beside the game's file
    std::vector<std::string_view> expected;
};

// clang-format off
const InstalledRow kInstalledRows[] = {
    {"stock_game_has_none", {"D3DDrv.dll", "OpenGLDrv.dll", "UnrealTournament.ini"}, {}},
    {"windows_libraries_in_any_case", {"XOpenGLDrv.dll", "d3d9drv.DLL"}, {"Direct3D 9", "XOpenGL"}},
    {"native_linux_library", {"XOpenGLDrv.so"}, {"XOpenGL"}},
    {"native_library_case_must_match", {"xopengldrv.so", "D3D9Drv.so.bak"}, {}},
};
// clang-format on

class InstalledDrivers : public testing::TestWithParam<InstalledRow> {};

TEST_P(InstalledDrivers, AreFoundBesideTheGameFileAndJoinTheEditCycle)
{
    const test::TemporaryFolder folder;
    for (const std::string& file : GetParam().files)
        test::writeFile(folder.file(file), "");
    const std::vector<Driver> installed = installedDrivers(folder.file("UnrealTournament.ini"));
    std::vector<std::string_view> names;
    for (const Driver& driver : installed)
        names.push_back(driver.displayName);
    EXPECT_EQ(names, GetParam().expected);
    // The cycle runs through the installed renderers back to its start.
    std::string_view last = "Software";
    for (const std::string_view name : names)
        last = *nextInCycle(kDeviceRow, last, installed) == name ? name : "wrong";
    EXPECT_EQ(nextInCycle(kDeviceRow, last, installed), "Direct 3D");
}

INSTANTIATE_TEST_SUITE_P(Rows, InstalledDrivers, testing::ValuesIn(kInstalledRows),
                         test::RowName());

struct ResolutionRow {
    const char* name;
    int width, height;
    const char* last; // the list's last item
    std::size_t count;
};

// clang-format off
constexpr ResolutionRow kResolutionRows[] = {
    {"screen_size_already_listed", 1920, 1080, "3840*2160", 13},
    {"screen_size_added_last", 3440, 1440, "3440*1440", 14},
    {"no_screen", 0, 0, "3840*2160", 13},
};
// clang-format on

class ResolutionList : public testing::TestWithParam<ResolutionRow> {};

TEST_P(ResolutionList, TableSizesThenWidescreenThenTheScreen)
{
    const ResolutionRow& row = GetParam();
    const auto choices = resolutionChoices(row.width, row.height);
    ASSERT_EQ(choices.size(), row.count);
    EXPECT_EQ(choices.back().listItem, row.last);
    EXPECT_EQ(std::to_string(choices.back().width) + "*" + std::to_string(choices.back().height),
              row.last);
    EXPECT_EQ(choices[6].listItem + choices[7].listItem, "1600*12001280*720");
}

INSTANTIATE_TEST_SUITE_P(Rows, ResolutionList, testing::ValuesIn(kResolutionRows), test::RowName());

struct CommandLineRow {
    const char* name;
    std::vector<std::string> arguments;
    bool help;
    const char *iniFile, *error;
};

// clang-format off
const CommandLineRow kCommandLineRows[] = {
    {"nothing_looks_the_game_up", {}, false, "", ""},
    {"ini_and_its_file", {"--ini", "/g/UT.ini"}, false, "/g/UT.ini", ""},
    {"ini_with_equals", {"--ini=my game.ini"}, false, "my game.ini", ""},
    {"help_wins_over_errors", {"--bogus", "-h"}, true, "", ""},
    {"ini_without_a_file", {"--ini"}, false, "", "--ini needs the file to edit"},
    {"ini_with_an_empty_file", {"--ini="}, false, "", "--ini needs the file to edit"},
    {"ini_twice", {"--ini", "a", "--ini", "b"}, false, "a", "--ini is given more than once"},
    {"unknown_argument", {"file.ini"}, false, "", "unknown argument: file.ini"},
};
// clang-format on

class CommandLineTable : public testing::TestWithParam<CommandLineRow> {};

TEST_P(CommandLineTable, ParsesIniAndHelp)
{
    const CommandLine line = parseCommandLine(GetParam().arguments);
    EXPECT_EQ(line.help, GetParam().help);
    EXPECT_EQ(line.iniFile, GetParam().iniFile);
    EXPECT_EQ(line.error, GetParam().error);
    EXPECT_TRUE(commandLineHelp().find("--ini FILE") != std::string_view::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandLineTable, testing::ValuesIn(kCommandLineRows),
                         test::RowName());

TEST(DriverNames, NamesNotInTheTableAreShownAsRead)
{
    for (const char* name : {"GlideDrv.GlideRender", "d3ddrv.d3drenderdevice", "Default"})
        EXPECT_EQ(displayNameForClass(name), name);
    EXPECT_FALSE(classForDisplayName("opengl").has_value());
    EXPECT_FALSE(classForListItem(kSelectDriver).has_value());
}

// Each value of a row's cycle steps to the next, the last back to the first; anything else,
// and a typed row, does not step. Each key has one section; Coronas's is the render device's.
TEST(EditCycle, EveryCycleOfTheCatalogueStepsAndWraps)
{
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const auto& cycle = settingRows()[row].cycle;
        for (std::size_t i = 0; i < cycle.size(); ++i)
            EXPECT_EQ(nextInCycle(row, cycle[i]), cycle[(i + 1) % cycle.size()]) << row;
        EXPECT_EQ(nextInCycle(row, "Default"), std::nullopt) << row;
    }
    EXPECT_TRUE(settingRows()[kFrameRateRow].cycle.empty() &&
                settingRows()[kParticleRow].cycle.empty());
    EXPECT_EQ(nextInCycle(kRowCount, "True"), std::nullopt);
    // The cycles the game's values need: lower-case, 24 bits and class names stay as they are.
    EXPECT_EQ(nextInCycle(0, "32"), "16");
    EXPECT_EQ(nextInCycle(1, "true"), std::nullopt);
    EXPECT_EQ(nextInCycle(0, "24"), std::nullopt);
    EXPECT_EQ(nextInCycle(8, "High"), "Low");
    EXPECT_EQ(nextInCycle(kCoronasRow, "True"), "False");
    EXPECT_EQ(nextInCycle(kDeviceRow, "Software"), "Direct 3D");
    EXPECT_EQ(nextInCycle(kDeviceRow, "GlideDrv.GlideRenderDevice"), std::nullopt);
    const auto& rows = settingRows();
    EXPECT_EQ(rows[kCoronasRow].key, "Coronas");
    EXPECT_EQ(sectionFor("Coronas", "D3DDrv.D3DRenderDevice"), "D3DDrv.D3DRenderDevice");
    EXPECT_EQ(sectionFor(kGameRenderDevice, "D3DDrv.D3DRenderDevice"), kEngine);
    EXPECT_EQ(sectionFor(kCacheSizeMegs, "D3DDrv.D3DRenderDevice"), kGameEngine);
    EXPECT_EQ(sectionFor(rows[0].key, "D3DDrv.D3DRenderDevice"), kWindowsClient);
}

// A preset applied to a real game file, then read back under the keys the game itself uses, all
// in WinDrv.WindowsClient but Coronas, which is in the render device's section.
constexpr std::array<const char*, 9> kGameKeys = {
    "FullscreenColorbits", "CurvedSurfaces", "LowDetailTextures", "Decals", "NoDynamicLights",
    "SlowVideoBuffering",  "SkinDetail",     "TextureDetail",     "Coronas"};

VELMORA_RULES(PresetOnGameFile, TheGameReadsEveryPresetValue, "config-rules.tsv", "preset", 5)
{
    const test::TableRow& row = GetParam();
    const test::TemporaryFolder dir;
    const std::string file = dir.file("UnrealTournament.ini");
    std::filesystem::copy_file(std::string(VELMORA_TESTDATA) + "/ut-ini/" + row[2], file);

    ReadModule module;
    module.ReadGameValue(kEngine, kGameRenderDevice, file);
    const std::string device = module.ReadResult;
    ASSERT_EQ(device, row[3]);
    const Preset preset = row[1] == "slow" ? Preset::Slow : Preset::Fast;
    for (const auto& step : presetSteps()) {
        const std::string section(step.section == SectionKind::RenderDevice ? device
                                                                            : kWindowsClient);
        ASSERT_TRUE(module.WriteGameValue(section, step.key, presetValue(step, preset), file).ok());
    }
    const auto expected = test::split(row[4], '|');
    for (std::size_t i = 0; i < kGameKeys.size(); ++i) {
        module.ReadGameValue(i + 1 < kGameKeys.size() ? std::string(kWindowsClient) : device,
                             kGameKeys[i], file);
        EXPECT_EQ(module.ReadResult, expected.at(i)) << kGameKeys[i];
    }
}

} // namespace
} // namespace velmora::config
