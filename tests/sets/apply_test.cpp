#include "config/readmodule.h"
#include "platform/profile.h"
#include "sets/apply.h"
#include "sets/scratch.h"
#include "support/rowname.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

using test::Scratch;

struct ApplyRow {
    std::string name;
    std::string fixture;
    std::map<std::size_t, std::string> edits{}; // row -> new editor value
    std::vector<Change> changes{};
    std::vector<GameWrite> writes{}; // what the file must show, in order
};

const ApplyRow kApplyRows[] = {
    {.name = "nothing_changed_writes_nothing", .fixture = "client-451-windows-d3d.ini"},
    {.name = "changed_back_to_the_snapshot_writes_nothing",
     .fixture = "client-451-windows-d3d.ini",
     .edits = {{0, "32"}}},
    {.name = "one_row_one_write_under_its_own_key",
     .fixture = "client-451-windows-d3d.ini",
     .edits = {{0, "16"}},
     .changes = {{"FullscreenColorbits", "16", "32"}},
     .writes = {{"WinDrv.WindowsClient", "FullscreenColorbits", "16"}}},
    {.name = "driver_display_name_becomes_its_class",
     .fixture = "client-451-windows-d3d.ini",
     .edits = {{14, "OpenGl"}},
     .changes = {{"GameRenderDevice", "OpenGl", "Direct 3D"}},
     .writes = {{"Engine.Engine", "GameRenderDevice", "OpenGLDrv.OpenGLRenderDevice"}}},
    {.name = "Glide_becomes_GlideRenderDevice",
     .fixture = "client-451-windows-d3d.ini",
     .edits = {{14, "Glide"}},
     .changes = {{"GameRenderDevice", "Glide", "Direct 3D"}},
     .writes = {{"Engine.Engine", "GameRenderDevice", "GlideDrv.GlideRenderDevice"}}},
    {.name = "driver_name_in_other_letter_case_is_written_as_it_is",
     .fixture = "client-451-windows-d3d.ini",
     .edits = {{14, "opengl"}},
     .changes = {{"GameRenderDevice", "opengl", "Direct 3D"}},
     .writes = {{"WinDrv.WindowsClient", "GameRenderDevice", "opengl"}}},
    {.name = "coronas_goes_into_the_render_device_section",
     .fixture = "client-451-windows-d3d.ini",
     .edits = {{6, "False"}},
     .changes = {{"Coronas", "False", "True"}},
     .writes = {{"D3DDrv.D3DRenderDevice", "Coronas", "False"}}},
    {.name = "new_keys_are_written_in_row_order",
     .fixture = "stock-436-server-package-default.ini",
     .edits = {{12, "True"}, {7, "Low"}, {4, "False"}},
     .changes = {{"Decals", "False", "True"},
                 {"SkinDetail", "Low", "Default"},
                 {"NoFractalAnim", "True", "Default"}},
     .writes = {{"WinDrv.WindowsClient", "Decals", "False"},
                {"WinDrv.WindowsClient", "SkinDetail", "Low"},
                {"WinDrv.WindowsClient", "NoFractalAnim", "True"}}},
    {.name = "typed_values_are_written_as_typed",
     .fixture = "linux-sdl-opengl.ini",
     .edits = {{10, "2"}, {13, ""}},
     .changes = {{"MinDesiredFrameRate", "2", "Default"}, {"ParticleDensity", "", "Default"}},
     .writes = {{"WinDrv.WindowsClient", "MinDesiredFrameRate", "2"},
                {"WinDrv.WindowsClient", "ParticleDensity", ""}}},
};

class ApplyTest : public ::testing::TestWithParam<ApplyRow> {};

TEST_P(ApplyTest, writes_one_change_per_changed_row_in_row_order)
{
    const ApplyRow& row = GetParam();
    Scratch scratch;
    const std::string file = scratch.path("UnrealTournament.ini");
    const std::string before = Scratch::fixture(row.fixture);
    Scratch::write(file, before);
    config::ReadModule module;
    const EditorLists snapshot = readEditorLists(module, file);
    EditorLists editor = snapshot;
    for (const auto& [index, value] : row.edits) {
        editor.values.at(index) = value;
    }

    const ApplyResult result = ApplyChangedSettings(module, file, editor, snapshot);

    ASSERT_TRUE(result.ok()) << result.outcome.reason;
    EXPECT_EQ(result.changes, row.changes);
    EXPECT_EQ(result.written, row.changes.size());
    std::string expected = before;
    for (const GameWrite& write : row.writes) {
        auto edit = platform::profileWriteText(expected, write.section, write.key, write.value);
        ASSERT_NE(edit.status, platform::WriteStatus::Refused) << edit.reason;
        if (edit.status == platform::WriteStatus::Written) {
            expected = edit.contents;
        }
    }
    EXPECT_EQ(Scratch::read(file), expected);
}

INSTANTIATE_TEST_SUITE_P(apply, ApplyTest, ::testing::ValuesIn(kApplyRows), test::RowName{});

class ApplyFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        before = Scratch::fixture("client-451-windows-d3d.ini");
        Scratch::write(file, before);
        snapshot = readEditorLists(module, file);
        editor = snapshot;
    }

    Scratch scratch;
    std::string file = scratch.path("UnrealTournament.ini");
    std::string before;
    config::ReadModule module;
    EditorLists snapshot;
    EditorLists editor;
};

TEST_F(ApplyFileTest, refill_after_apply_shows_display_names_again)
{
    editor.values[14] = "Software";
    editor.values[0] = "16";
    ASSERT_TRUE(ApplyChangedSettings(module, file, editor, snapshot).ok());
    // Coronas now comes from the software device's section, which holds False.
    editor.values[6] = "False";
    EXPECT_EQ(readEditorLists(module, file).values, editor.values);
}

TEST_F(ApplyFileTest, coronas_follows_the_device_read_when_the_apply_starts)
{
    ASSERT_TRUE(platform::writeProfileString(file, "Engine.Engine", "GameRenderDevice",
                                             "OpenGLDrv.OpenGLRenderDevice")
                    .ok());
    const std::string switched = Scratch::read(file);
    editor.values[6] = "False";

    ASSERT_TRUE(ApplyChangedSettings(module, file, editor, snapshot).ok());

    const auto edit =
        platform::profileWriteText(switched, "OpenGLDrv.OpenGLRenderDevice", "Coronas", "False");
    EXPECT_EQ(Scratch::read(file), edit.contents);
}

TEST_F(ApplyFileTest, refused_value_writes_nothing_and_names_the_change)
{
    editor.values[0] = "16";
    editor.values[3] = "False\n[Engine.Engine]";
    const ApplyResult result = ApplyChangedSettings(module, file, editor, snapshot);
    EXPECT_EQ(result.outcome.status, platform::WriteStatus::Refused);
    EXPECT_EQ(result.written, 0u);
    EXPECT_EQ(result.stoppedAt, 1u);
    EXPECT_EQ(
        applyFailureText(result).rfind("Error when saving this itemSlowVideoBuffering = False\n"
                                       "[Engine.Engine] (",
                                       0),
        0u);
    EXPECT_EQ(Scratch::read(file), before);
}

TEST_F(ApplyFileTest, failed_write_stops_and_reports_name_value_and_reason)
{
    // The game's file is a folder: reads give defaults and every write fails.
    const std::string folder = scratch.path("System");
    std::filesystem::create_directory(folder);
    editor.values[0] = "16";
    editor.values[1] = "True";

    const ApplyResult result = ApplyChangedSettings(module, folder, editor, snapshot);

    EXPECT_EQ(result.outcome.status, platform::WriteStatus::Failed);
    EXPECT_EQ(result.changes.size(), 2u);
    EXPECT_EQ(result.written, 0u);
    EXPECT_EQ(result.stoppedAt, 0u);
    EXPECT_EQ(applyFailureText(result), "Error when saving this itemFullscreenColorbits = 16 (" +
                                            result.outcome.reason + ")");
    EXPECT_FALSE(result.outcome.reason.empty());
}

} // namespace
} // namespace velmora::sets
