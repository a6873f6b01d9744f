#include "config/readmodule.h"
#include "sets/editorlists.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

const std::string kD = "Default";

struct LeesRow {
    std::string name;
    std::string contents; // a fixture's name, or the file itself when it holds a '['
    std::vector<std::string> values;
};

const LeesRow kLeesRows[] = {
    {"missing_client_keys_show_Default",
     "stock-436-server-package-default.ini",
     {"16", "False", "False", "True", "True", "False", "False", kD, kD, "False", "30.0", "True", kD,
      kD, "Software"}},
    {"unknown_device_class_shows_as_read",
     "client-469d-windows-xopengl.ini",
     {"32", "False", "False", "True", "True", "False", "True", "High", "High", "False", "60.000000",
      "True", "False", "0", "XOpenGLDrv.XOpenGLRenderDevice"}},
    {"glide_device_class_shows_Glide",
     "[Engine.Engine]\r\nGameRenderDevice=GlideDrv.GlideRenderDevice\r\n"
     "[GlideDrv.GlideRenderDevice]\r\nCoronas=False\r\n",
     {kD, kD, kD, kD, kD, kD, "False", kD, kD, kD, kD, kD, kD, kD, "Glide"}},
};

class LeesTest : public ::testing::TestWithParam<LeesRow> {};

TEST_P(LeesTest, FillsFifteenRowsInOrderAndLeavesTheFileAlone)
{
    const LeesRow& row = GetParam();
    test::TemporaryFolder scratch;
    const std::string file = scratch.file("UnrealTournament.ini");
    const std::string before =
        row.contents.find('[') == std::string::npos
            ? test::readFile(std::string(VELMORA_TESTDATA "/ut-ini/") + row.contents)
            : row.contents;
    test::writeFile(file, before);
    config::ReadModule module;
    module.ReadCount = 7;

    const EditorLists lists = readEditorLists(module, file);

    ASSERT_EQ(lists.names.size(), 15u);
    EXPECT_EQ(lists.names[6], "Coronas");
    EXPECT_EQ(lists.names[14], "GameRenderDevice");
    EXPECT_EQ(lists.values, row.values);
    EXPECT_EQ(module.ReadCount, 0);
    EXPECT_EQ(test::readFile(file), before);
}

INSTANTIATE_TEST_SUITE_P(Lees, LeesTest, ::testing::ValuesIn(kLeesRows), test::RowName{});

} // namespace
} // namespace velmora::sets
