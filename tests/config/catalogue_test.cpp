#include "config/catalogue.h"
#include "config/readmodule.h"
#include "support/fakeprefix.h"
#include "support/files.h"
#include "support/rowname.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

namespace fs = std::filesystem;

struct DriverRow {
    const char* name;
    const char* listItem;
    const char* displayName;
    const char* className;
};

constexpr DriverRow kDriverRows[] = {
    {"software", "SoftwareRender", "Software", "SoftDrv.SoftwareRenderDevice"},
    {"glide_uses_the_class_the_game_loads", "GlideRender", "Glide", "GlideDrv.GlideRenderDevice"},
    {"opengl", "OpenGLRender", "OpenGl", "OpenGLDrv.OpenGLRenderDevice"},
    {"direct3d", "Direct 3D", "Direct 3D", "D3DDrv.D3DRenderDevice"},
};

class DriverTableTest : public ::testing::TestWithParam<DriverRow> {};

TEST_P(DriverTableTest, both_writers_and_both_lists_agree)
{
    const auto& row = GetParam();
    EXPECT_EQ(classForListItem(row.listItem), row.className);
    EXPECT_EQ(classForDisplayName(row.displayName), row.className);
    EXPECT_EQ(displayNameForClass(row.className), row.displayName);
}

INSTANTIATE_TEST_SUITE_P(Rows, DriverTableTest, ::testing::ValuesIn(kDriverRows),
                         velmora::test::RowName());

TEST(DriverTable, names_not_in_the_table_are_shown_as_read)
{
    EXPECT_EQ(displayNameForClass("GlideDrv.GlideRender"), "GlideDrv.GlideRender");
    EXPECT_EQ(displayNameForClass("XOpenGLDrv.XOpenGLRenderDevice"),
              "XOpenGLDrv.XOpenGLRenderDevice");
    EXPECT_EQ(displayNameForClass("d3ddrv.d3drenderdevice"), "d3ddrv.d3drenderdevice");
    EXPECT_EQ(displayNameForClass("Default"), "Default");
    EXPECT_FALSE(classForDisplayName("opengl").has_value());
    EXPECT_FALSE(classForListItem("<<Select driver>>").has_value());
}

struct CycleRow {
    const char* name;
    std::size_t row;
    const char* current;
    const char* next; // nullptr: no step
};

constexpr CycleRow kCycleRows[] = {
    {"colour_16_to_32", 0, "16", "32"},
    {"colour_32_wraps_to_16", 0, "32", "16"},
    {"colour_24_stays", 0, "24", nullptr},
    {"boolean_true_to_false", 1, "True", "False"},
    {"boolean_false_wraps_to_true", 12, "False", "True"},
    {"boolean_lower_case_stays", 1, "true", nullptr},
    {"coronas_cycles_like_a_boolean", 6, "True", "False"},
    {"detail_high_to_low", 8, "High", "Low"},
    {"detail_low_to_medium", 7, "Low", "Medium"},
    {"detail_medium_wraps_to_high", 8, "Medium", "High"},
    {"missing_key_Default_stays", 9, "Default", nullptr},
    {"frame_rate_is_typed", 10, "30", nullptr},
    {"particles_are_typed", 13, "5", nullptr},
    {"driver_software_wraps_to_direct3d", 14, "Software", "Direct 3D"},
    {"driver_direct3d_to_opengl", 14, "Direct 3D", "OpenGl"},
    {"driver_opengl_to_glide", 14, "OpenGl", "Glide"},
    {"driver_class_name_stays", 14, "GlideDrv.GlideRenderDevice", nullptr},
    {"row_outside_the_list", 15, "True", nullptr},
};

class EditCycleTest : public ::testing::TestWithParam<CycleRow> {};

TEST_P(EditCycleTest, steps_once)
{
    const auto& row = GetParam();
    const auto next = nextInCycle(row.row, row.current);
    if (row.next == nullptr)
        EXPECT_FALSE(next.has_value());
    else
        EXPECT_EQ(next, row.next);
}

INSTANTIATE_TEST_SUITE_P(Rows, EditCycleTest, ::testing::ValuesIn(kCycleRows),
                         velmora::test::RowName());

TEST(SettingRows, coronas_lives_in_the_render_device_section)
{
    const auto& rows = settingRows();
    EXPECT_EQ(rows[kCoronasRow].key, "Coronas");
    EXPECT_EQ(sectionOf(rows[kCoronasRow], "D3DDrv.D3DRenderDevice"), "D3DDrv.D3DRenderDevice");
    EXPECT_EQ(sectionOf(rows[kDeviceRow], "D3DDrv.D3DRenderDevice"), kEngine);
    EXPECT_EQ(sectionOf(rows[0], "D3DDrv.D3DRenderDevice"), kWindowsClient);
}

// A preset applied to a real game file, then read back under the keys the game itself uses.
struct PresetCase {
    const char* name;
    Preset preset;
    const char* fixture;
    const char* device;
    const char* expected[9]; // in the order of kGameKeys
};

struct GameKey {
    const char* section; // nullptr: the render device's section
    const char* key;
};

constexpr GameKey kGameKeys[9] = {
    {"WinDrv.WindowsClient", "FullscreenColorbits"},
    {"WinDrv.WindowsClient", "CurvedSurfaces"},
    {"WinDrv.WindowsClient", "LowDetailTextures"},
    {"WinDrv.WindowsClient", "Decals"},
    {"WinDrv.WindowsClient", "NoDynamicLights"},
    {"WinDrv.WindowsClient", "SlowVideoBuffering"},
    {"WinDrv.WindowsClient", "SkinDetail"},
    {"WinDrv.WindowsClient", "TextureDetail"},
    {nullptr, "Coronas"},
};

constexpr PresetCase kPresetCases[] = {
    {"slow_on_direct3d_client",
     Preset::Slow,
     "client-451-windows-d3d.ini",
     "D3DDrv.D3DRenderDevice",
     {"16", "False", "True", "False", "True", "False", "Low", "Low", "False"}},
    {"fast_on_stock_software_file",
     Preset::Fast,
     "stock-436-server-package-default.ini",
     "SoftDrv.SoftwareRenderDevice",
     {"16", "True", "False", "False", "True", "False", "High", "High", "True"}},
};

class PresetTest : public ::testing::TestWithParam<PresetCase> {};

TEST_P(PresetTest, the_game_reads_every_preset_value)
{
    const auto& c = GetParam();
    const test::TemporaryFolder folder;
    const std::string file = test::inFolder(folder.path(), "UnrealTournament.ini");
    fs::copy_file(fs::path(VELMORA_TESTDATA) / "ut-ini" / c.fixture, file);

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
    for (std::size_t i = 0; i < 9; ++i) {
        const std::string section = kGameKeys[i].section ? kGameKeys[i].section : device;
        module.ReadGameValue(section, kGameKeys[i].key, file);
        EXPECT_EQ(module.ReadResult, c.expected[i]) << kGameKeys[i].key;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, PresetTest, ::testing::ValuesIn(kPresetCases),
                         velmora::test::RowName());

} // namespace
} // namespace velmora::config
