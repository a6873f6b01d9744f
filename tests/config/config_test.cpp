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
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

using test::PrintTo;

struct ReadRow {
    const char* name;
    std::optional<std::string> file;
    const char *section, *key;
    std::string expected;
};

const std::string kLong(300, 'x');

// clang-format off
const ReadRow kReadRows[] = {
    {"value_found", "[S]\r\nK=1\r\n", "s", "k", "1"},
    {"missing_file_reads_as_Default", std::nullopt, "S", "K", "Default"},
    {"missing_key_reads_as_Default", "[S]\r\nK=1\r\n", "S", "J", "Default"},
    {"missing_section_reads_as_Default", "[S]\r\nK=1\r\n", "T", "K", "Default"},
    {"empty_value_reads_as_empty_text", "[S]\r\nK=\r\n", "S", "K", ""},
    {"long_value_is_cut_to_254_characters", "[L]\r\nK=" + kLong, "L", "K", kLong.substr(0, 254)},
};
// clang-format on

class ReadModuleTest : public testing::Test {
protected:
    test::TemporaryFolder m_dir;
    std::string m_file = m_dir.file("UnrealTournament.ini");
    ReadModule m_module;
};

class ReadModuleRead : public ReadModuleTest, public testing::WithParamInterface<ReadRow> {};

// Counted reads count found and missing keys alike; plain reads do not count.
TEST_P(ReadModuleRead, GivesTheValueOrDefault)
{
    const ReadRow& row = GetParam();
    if (row.file)
        test::writeFile(m_file, *row.file);
    m_module.ReadResult = "left over";
    m_module.ReadGameValueCounted(row.section, row.key, m_file);
    EXPECT_EQ(m_module.ReadResult, row.expected);
    m_module.ReadGameValue(row.section, row.key, m_file);
    EXPECT_EQ(m_module.ReadResult, row.expected);
    EXPECT_EQ(m_module.ReadCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadModuleRead, testing::ValuesIn(kReadRows), test::RowName());

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

struct DriverRow {
    const char *name, *listItem, *displayName, *className;
};

constexpr DriverRow kDriverRows[] = {
    {"software", "SoftwareRender", "Software", "SoftDrv.SoftwareRenderDevice"},
    {"glide_uses_the_class_the_game_loads", "GlideRender", "Glide", "GlideDrv.GlideRenderDevice"},
    {"opengl", "OpenGLRender", "OpenGl", "OpenGLDrv.OpenGLRenderDevice"},
    {"direct3d", "Direct 3D", "Direct 3D", "D3DDrv.D3DRenderDevice"},
    {"direct3d_9_of_the_patched_game", "Direct3D 9", "Direct3D 9", "D3D9Drv.D3D9RenderDevice"},
    {"xopengl_of_the_patched_game", "XOpenGL", "XOpenGL", "XOpenGLDrv.XOpenGLRenderDevice"},
};

class DriverTable : public testing::TestWithParam<DriverRow> {};

TEST_P(DriverTable, BothWritersAndBothListsAgree)
{
    const DriverRow& row = GetParam();
    EXPECT_EQ(classForListItem(row.listItem), row.className);
    EXPECT_EQ(classForDisplayName(row.displayName), row.className);
    EXPECT_EQ(displayNameForClass(row.className), row.displayName);
}

INSTANTIATE_TEST_SUITE_P(Rows, DriverTable, testing::ValuesIn(kDriverRows), test::RowName());

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
    EXPECT_FALSE(classForListItem("<<Select driver>>").has_value());
}

// Each value of a row's cycle steps to the next, the last back to the first; anything else,
// and a typed row, does not step.
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
}

TEST(SettingRows, EachKeyHasOneSection)
{
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

struct PresetRow {
    const char* name;
    Preset preset;
    const char *fixture, *device;
    std::array<const char*, 9> expected;
};

// clang-format off
constexpr PresetRow kPresetRows[] = {
    {"slow_on_direct3d_client", Preset::Slow, "client-451-windows-d3d.ini", "D3DDrv.D3DRenderDevice", {"16", "False", "True", "False", "True", "False", "Low", "Low", "False"}},
    {"fast_on_stock_software_file", Preset::Fast, "stock-436-server-package-default.ini", "SoftDrv.SoftwareRenderDevice", {"16", "True", "False", "False", "True", "False", "High", "High", "True"}},
};
// clang-format on

class PresetOnGameFile : public testing::TestWithParam<PresetRow> {};

TEST_P(PresetOnGameFile, TheGameReadsEveryPresetValue)
{
    const PresetRow& c = GetParam();
    const test::TemporaryFolder dir;
    const std::string file = dir.file("UnrealTournament.ini");
    std::filesystem::copy_file(std::string(VELMORA_TESTDATA) + "/ut-ini/" + c.fixture, file);

    ReadModule module;
    module.ReadGameValue(kEngine, kGameRenderDevice, file);
    const std::string device = module.ReadResult;
    ASSERT_EQ(device, c.device);
    for (const auto& step : presetSteps()) {
        const std::string section(step.section == SectionKind::RenderDevice ? device
                                                                            : kWindowsClient);
        ASSERT_TRUE(
            module.WriteGameValue(section, step.key, presetValue(step, c.preset), file).ok());
    }
    for (std::size_t i = 0; i < kGameKeys.size(); ++i) {
        module.ReadGameValue(i + 1 < kGameKeys.size() ? std::string(kWindowsClient) : device,
                             kGameKeys[i], file);
        EXPECT_EQ(module.ReadResult, c.expected[i]) << kGameKeys[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, PresetOnGameFile, testing::ValuesIn(kPresetRows), test::RowName());

} // namespace
} // namespace velmora::config
