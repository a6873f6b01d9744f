#include "config/readmodule.h"
#include "sets/editorlists.h"
#include "sets/scratch.h"
#include "support/rowname.h"

#include <array>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

using test::Scratch;

const std::vector<std::string> kNames = {"FullscreenColorbits",
                                         "CurvedSurfaces",
                                         "LowDetailTextures",
                                         "SlowVideoBuffering",
                                         "Decals",
                                         "NoDynamicLights",
                                         "Coronas",
                                         "SkinDetail",
                                         "TextureDetail",
                                         "NoLighting",
                                         "MinDesiredFrameRate",
                                         "ScreenFlashes",
                                         "NoFractalAnim",
                                         "ParticleDensity",
                                         "GameRenderDevice"};

struct LeesRow {
    std::string name;
    std::string fixture{};  // a file of tests/data/ut-ini, or empty for `contents`
    std::string contents{}; // a file written by the test
    std::vector<std::string> values;
};

const std::string kD = "Default";

const LeesRow kLeesRows[] = {
    {.name = "d3d_client_reads_coronas_from_the_D3D_section",
     .fixture = "client-451-windows-d3d.ini",
     .values = {"32", "False", "False", "True", "True", "False", "True", "High", "High", "False",
                "28.000000", "True", "False", "0", "Direct 3D"}},
    {.name = "stock_server_file_shows_missing_client_keys_as_Default",
     .fixture = "stock-436-server-package-default.ini",
     .values = {"16", "False", "False", "True", "True", "False", "False", kD, kD, "False", "30.0",
                "True", kD, kD, "Software"}},
    {.name = "sdl_file_without_windows_client_has_only_coronas_and_driver",
     .fixture = "linux-sdl-opengl.ini",
     .values = {kD, kD, kD, kD, kD, kD, "True", kD, kD, kD, kD, kD, kD, kD, "OpenGl"}},
    {.name = "unknown_device_class_shows_as_read_and_names_the_coronas_section",
     .fixture = "client-469d-windows-xopengl.ini",
     .values = {"32", "False", "False", "True", "True", "False", "True", "High", "High", "False",
                "60.000000", "True", "False", "0", "XOpenGLDrv.XOpenGLRenderDevice"}},
    {.name = "glide_device_class_shows_as_Glide",
     .contents = "[Engine.Engine]\r\nGameRenderDevice=GlideDrv.GlideRenderDevice\r\n"
                 "[GlideDrv.GlideRenderDevice]\r\nCoronas=False\r\n",
     .values = {kD, kD, kD, kD, kD, kD, "False", kD, kD, kD, kD, kD, kD, kD, "Glide"}},
    {.name = "short_glide_class_shows_as_read",
     .contents = "[Engine.Engine]\r\nGameRenderDevice=GlideDrv.GlideRender\r\n",
     .values = {kD, kD, kD, kD, kD, kD, kD, kD, kD, kD, kD, kD, kD, kD, "GlideDrv.GlideRender"}},
    {.name = "missing_device_reads_coronas_from_a_section_named_Default",
     .contents = "[Default]\r\nCoronas=True\r\n[WinDrv.WindowsClient]\r\nCoronas=False\r\n",
     .values = {kD, kD, kD, kD, kD, kD, "True", kD, kD, kD, kD, kD, kD, kD, kD}},
    {.name = "missing_file_reads_every_row_as_Default", .values = std::vector<std::string>(15, kD)},
};

class LeesTest : public ::testing::TestWithParam<LeesRow> {};

TEST_P(LeesTest, fills_fifteen_rows_in_order_and_leaves_the_file_alone)
{
    const LeesRow& row = GetParam();
    Scratch scratch;
    const std::string file = scratch.path("UnrealTournament.ini");
    const std::string before = row.fixture.empty() ? row.contents : Scratch::fixture(row.fixture);
    if (!before.empty()) {
        Scratch::write(file, before);
    }
    config::ReadModule module;
    module.ReadCount = 7;

    const EditorLists lists = readEditorLists(module, file);

    EXPECT_EQ(lists.names, kNames);
    EXPECT_EQ(lists.values, row.values);
    EXPECT_EQ(module.ReadCount, 0);
    if (!before.empty()) {
        EXPECT_EQ(Scratch::read(file), before);
    }
}

INSTANTIATE_TEST_SUITE_P(lees, LeesTest, ::testing::ValuesIn(kLeesRows), test::RowName{});

} // namespace
} // namespace velmora::sets
