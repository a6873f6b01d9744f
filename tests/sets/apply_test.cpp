#include "config/readmodule.h"
#include "platform/profile.h"
#include "sets/apply.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"
#include "support/wine.h"

#include <map>

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

struct ApplyRow {
    std::string name;
    std::map<std::size_t, std::string> edits; // row -> new value in the editor
    std::vector<GameWrite> writes;            // expected, in write order
};

// Over client-451-windows-d3d.ini, whose device is D3DDrv.D3DRenderDevice.
const ApplyRow kApplyRows[] = {
    {"nothing_changed_writes_nothing", {{0, "32"}}, {}},
    {"a_row_is_written_under_its_own_key",
     {{0, "16"}},
     {{"WinDrv.WindowsClient", "FullscreenColorbits", "16"}}},
    {"driver_display_name_becomes_its_class",
     {{14, "OpenGl"}},
     {{"Engine.Engine", "GameRenderDevice", "OpenGLDrv.OpenGLRenderDevice"}}},
    {"Glide_becomes_GlideRenderDevice",
     {{14, "Glide"}},
     {{"Engine.Engine", "GameRenderDevice", "GlideDrv.GlideRenderDevice"}}},
    {"a_class_without_display_name_is_written_as_it_is",
     {{14, "XOpenGLDrv.XOpenGLRenderDevice"}},
     {{"Engine.Engine", "GameRenderDevice", "XOpenGLDrv.XOpenGLRenderDevice"}}},
    {"placeholders_are_never_written", {{3, "Default"}, {14, ""}}, {}},
    {"coronas_goes_into_the_device_section",
     {{6, "False"}},
     {{"D3DDrv.D3DRenderDevice", "Coronas", "False"}}},
    {"a_new_device_comes_first_and_takes_coronas",
     {{6, "False"}, {14, "OpenGl"}},
     {{"Engine.Engine", "GameRenderDevice", "OpenGLDrv.OpenGLRenderDevice"},
      {"OpenGLDrv.OpenGLRenderDevice", "Coronas", "False"}}},
    {"new_keys_follow_row_order",
     {{12, "Low"}, {7, "Low"}, {4, "False"}},
     {{"WinDrv.WindowsClient", "Decals", "False"},
      {"WinDrv.WindowsClient", "SkinDetail", "Low"},
      {"WinDrv.WindowsClient", "NoFractalAnim", "Low"}}},
};

class ApplyTest : public ::testing::TestWithParam<ApplyRow> {
protected:
    void SetUp() override
    {
        before = test::readFile(VELMORA_TESTDATA "/ut-ini/client-451-windows-d3d.ini");
        // Absent keys, so that new lines show the order of the writes.
        before.replace(before.find("SkinDetail="), 4, "Face");
        before.replace(before.find("NoFractalAnim="), 2, "Do");
        test::writeFile(file, before);
        snapshot = readEditorLists(module, file);
    }

    test::TemporaryFolder scratch;
    std::string file = scratch.file("UnrealTournament.ini");
    std::string before;
    config::ReadModule module;
    EditorLists snapshot;
};

TEST_P(ApplyTest, WritesOneChangePerChangedRowInRowOrder)
{
    EditorLists editor = snapshot;
    for (const auto& [index, value] : GetParam().edits) {
        editor.values.at(index) = value;
    }
    const ApplyResult result = ApplyChangedSettings(module, file, editor);

    ASSERT_TRUE(result.ok()) << result.outcome.reason;
    std::string expected = before;
    ASSERT_EQ(result.changes.size(), GetParam().writes.size());
    for (const GameWrite& write : GetParam().writes) {
        expected =
            platform::profileWriteText(expected, write.section, write.key, write.value).contents;
    }
    EXPECT_EQ(result.written, result.changes.size());
    // Wine rewrites the whole file on every write (docs/windows.md): bytes only elsewhere.
    if (!test::runningUnderWine()) {
        EXPECT_EQ(test::readFile(file), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Apply, ApplyTest, ::testing::ValuesIn(kApplyRows), test::RowName{});

// The file changed after the editor read it: the editor's values land even where they equal
// what it read, and Coronas follows the device the file names now.
TEST_F(ApplyTest, ComparesWithTheFileAsItIsAtTheApply)
{
    for (const auto& [key, value] : {std::pair{"GameRenderDevice", "OpenGLDrv.OpenGLRenderDevice"},
                                     std::pair{"FullscreenColorbits", "16"}}) {
        ASSERT_TRUE(platform::writeProfileString(
                        file, key[0] == 'G' ? "Engine.Engine" : "WinDrv.WindowsClient", key, value)
                        .ok());
    }
    std::string expected = test::readFile(file);
    EditorLists editor = snapshot;
    editor.values[6] = "False";
    editor.values[14] = "OpenGl";
    ASSERT_TRUE(ApplyChangedSettings(module, file, editor).ok());
    expected =
        platform::profileWriteText(expected, "WinDrv.WindowsClient", "FullscreenColorbits", "32")
            .contents;
    EXPECT_EQ(
        test::readFile(file),
        platform::profileWriteText(expected, "OpenGLDrv.OpenGLRenderDevice", "Coronas", "False")
            .contents);
}

TEST_F(ApplyTest, RefusedValueWritesNothingAndIsNamed)
{
    EditorLists editor = snapshot;
    editor.values[0] = "16";
    editor.values[3] = "False\n[Engine.Engine]";
    const ApplyResult result = ApplyChangedSettings(module, file, editor);
    EXPECT_EQ(result.outcome.status, platform::WriteStatus::Refused);
    EXPECT_EQ(result.written, 0u);
    EXPECT_EQ(applyFailureText(result),
              "Error when saving this itemSlowVideoBuffering = False\n[Engine.Engine] (" +
                  result.outcome.reason + ")");
    EXPECT_EQ(test::readFile(file), before);
}

} // namespace
} // namespace velmora::sets
