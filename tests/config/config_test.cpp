#include "config/catalogue.h"
#include "config/gameconfig.h"
#include "config/readmodule.h"
#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

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
}

class FixedLocator : public platform::GameLocator {
public:
    explicit FixedLocator(std::string folder) : m_folder(std::move(folder)) {}
    std::string gameFolder() const override { return m_folder; }
    std::string localPath(const std::string& windowsPath) const override
    {
        return windowsPath.starts_with("\\\\") ? std::string() : "/mapped/" + windowsPath;
    }

private:
    std::string m_folder;
};

struct LocateRow {
    const char* name;
    const char* folder;
    const char* windowsPath; // nullptr: not found
};

// clang-format off
constexpr LocateRow kLocateRows[] = {
    {"plain_folder", "C:\\Games\\UT", "C:\\Games\\UT\\System\\UnrealTournament.ini"},
    {"trailing_backslash_is_doubled", "C:\\Games\\UT\\", "C:\\Games\\UT\\\\System\\UnrealTournament.ini"},
    {"empty_folder_is_not_found", "", nullptr},
    {"folder_without_a_local_path_is_not_found", "\\\\server\\UT", nullptr},
};
// clang-format on

class LocateGameConfig : public testing::TestWithParam<LocateRow> {};

TEST_P(LocateGameConfig, BuildsThePathFromTheFolderAsStored)
{
    const LocateRow& row = GetParam();
    const auto location = locateGameConfig(FixedLocator(row.folder));
    ASSERT_EQ(location.has_value(), row.windowsPath != nullptr);
    if (location) {
        EXPECT_EQ(location->GameFolder, row.folder);
        EXPECT_EQ(location->windowsPath, row.windowsPath);
        EXPECT_EQ(location->Utpath, std::string("/mapped/") + row.windowsPath);
    }
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
