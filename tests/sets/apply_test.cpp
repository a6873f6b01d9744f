#include "config/readmodule.h"
#include "platform/profile.h"
#include "sets/apply.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <map>

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

struct ApplyRow {
    std::string name;
    std::map<std::size_t, std::string> edits; // row -> new value in the editor
    std::vector<GameWrite> writes;            // expected, in order; also the changes' order
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
    {"driver_name_in_other_letter_case_is_written_as_it_is",
     {{14, "opengl"}},
     {{"WinDrv.WindowsClient", "GameRenderDevice", "opengl"}}},
    {"coronas_goes_into_the_device_section",
     {{6, "False"}},
     {{"D3DDrv.D3DRenderDevice", "Coronas", "False"}}},
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

TEST_P(ApplyTest, writes_one_change_per_changed_row_in_row_order)
{
    EditorLists editor = snapshot;
    for (const auto& [index, value] : GetParam().edits) {
        editor.values.at(index) = value;
    }
    const ApplyResult result = ApplyChangedSettings(module, file, editor, snapshot);

    ASSERT_TRUE(result.ok()) << result.outcome.reason;
    std::string expected = before;
    ASSERT_EQ(result.changes.size(), GetParam().writes.size());
    for (std::size_t k = 0; k < result.changes.size(); ++k) {
        const GameWrite& write = GetParam().writes[k];
        EXPECT_EQ(result.changes[k].name, write.key);
        EXPECT_EQ(writeFor(result.changes[k], "D3DDrv.D3DRenderDevice"), write);
        expected =
            platform::profileWriteText(expected, write.section, write.key, write.value).contents;
    }
    EXPECT_EQ(result.written, result.changes.size());
    EXPECT_EQ(test::readFile(file), expected);
}

INSTANTIATE_TEST_SUITE_P(apply, ApplyTest, ::testing::ValuesIn(kApplyRows), test::RowName{});

TEST_F(ApplyTest, coronas_follows_the_device_read_when_the_apply_starts)
{
    ASSERT_TRUE(platform::writeProfileString(file, "Engine.Engine", "GameRenderDevice",
                                             "OpenGLDrv.OpenGLRenderDevice")
                    .ok());
    const std::string switched = test::readFile(file);
    EditorLists editor = snapshot;
    editor.values[6] = "False";
    ASSERT_TRUE(ApplyChangedSettings(module, file, editor, snapshot).ok());
    EXPECT_EQ(
        test::readFile(file),
        platform::profileWriteText(switched, "OpenGLDrv.OpenGLRenderDevice", "Coronas", "False")
            .contents);
}

TEST_F(ApplyTest, refused_value_writes_nothing_and_is_named)
{
    EditorLists editor = snapshot;
    editor.values[0] = "16";
    editor.values[3] = "False\n[Engine.Engine]";
    const ApplyResult result = ApplyChangedSettings(module, file, editor, snapshot);
    EXPECT_EQ(result.outcome.status, platform::WriteStatus::Refused);
    EXPECT_EQ(result.written, 0u);
    EXPECT_EQ(applyFailureText(result),
              "Error when saving this itemSlowVideoBuffering = False\n[Engine.Engine] (" +
                  result.outcome.reason + ")");
    EXPECT_EQ(test::readFile(file), before);
}

} // namespace
} // namespace velmora::sets
