#include "sets/scratch.h"
#include "sets/store.h"
#include "support/rowname.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

using test::Scratch;

constexpr std::string_view kNoFile = "\x01no file";

// ---- the count ----------------------------------------------------------------------------

struct CountRow {
    std::string name;
    std::string text;
    std::optional<int> count{};
};

const CountRow kCountRows[] = {
    {.name = "zero", .text = "0", .count = 0},
    {.name = "several_digits", .text = "10", .count = 10},
    {.name = "leading_zeros", .text = "007", .count = 7},
    {.name = "nine_digits", .text = "999999999", .count = 999999999},
    {.name = "ten_digits_are_too_many", .text = "1000000000"},
    {.name = "empty", .text = ""},
    {.name = "Default_from_a_missing_key", .text = "Default"},
    {.name = "negative", .text = "-1"},
    {.name = "signed", .text = "+1"},
    {.name = "fraction", .text = "2.5"},
    {.name = "exponent", .text = "1e3"},
    {.name = "inner_blank", .text = "1 2"},
};

class CountTest : public ::testing::TestWithParam<CountRow> {};

TEST_P(CountTest, plain_whole_numbers_only)
{
    EXPECT_EQ(parseCount(GetParam().text), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(count, CountTest, ::testing::ValuesIn(kCountRows), test::RowName{});

// ---- the editor's activation ----------------------------------------------------------------

struct OpenRow {
    std::string name;
    std::string before; // kNoFile for a missing file
    std::string after;
    std::string countText;
    int count;
};

const OpenRow kOpenRows[] = {
    {.name = "missing_store_is_created_with_count_0",
     .before = std::string(kNoFile),
     .after = "[Velmora]\r\nSaveNumber=0\r\n",
     .countText = "0",
     .count = 0},
    {.name = "plain_count_is_shown_as_stored_and_not_written",
     .before = "[Velmora]\nSaveNumber=03\n[Save1]\nSaveName=a\n",
     .after = "[Velmora]\nSaveNumber=03\n[Save1]\nSaveName=a\n",
     .countText = "03",
     .count = 3},
    {.name = "missing_count_becomes_the_sets_present",
     .before = "[Velmora]\r\n[Save1]\r\nSaveName=a\r\n",
     .after = "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=a\r\n",
     .countText = "1",
     .count = 1},
    {.name = "word_count_counts_sets_up_to_the_first_gap",
     .before = "[Velmora]\r\nSaveNumber=many\r\n[Save1]\r\n[Save2]\r\n[Save4]\r\n",
     .after = "[Velmora]\r\nSaveNumber=2\r\n[Save1]\r\n[Save2]\r\n[Save4]\r\n",
     .countText = "2",
     .count = 2},
    {.name = "set_sections_match_without_regard_to_case",
     .before = "[Velmora]\r\nSaveNumber=-1\r\n[save1]\r\n  [ SAVE2 ]\r\n",
     .after = "[Velmora]\r\nSaveNumber=2\r\n[save1]\r\n  [ SAVE2 ]\r\n",
     .countText = "2",
     .count = 2},
    {.name = "empty_count_without_sets_becomes_0",
     .before = "[Velmora]\r\nSaveNumber=\r\n",
     .after = "[Velmora]\r\nSaveNumber=0\r\n",
     .countText = "0",
     .count = 0},
    {.name = "empty_file_gets_the_count",
     .before = "",
     .after = "[Velmora]\r\nSaveNumber=0\r\n",
     .countText = "0",
     .count = 0},
};

class OpenStoreTest : public ::testing::TestWithParam<OpenRow> {};

TEST_P(OpenStoreTest, creates_reads_and_repairs_the_count)
{
    const OpenRow& row = GetParam();
    Scratch scratch;
    const std::string path = scratch.path("Velmora.ini");
    if (row.before != kNoFile) {
        Scratch::write(path, row.before);
    }
    const StoreStatus status = openStore(path);
    EXPECT_TRUE(status.outcome.ok()) << status.outcome.reason;
    EXPECT_EQ(status.countText, row.countText);
    EXPECT_EQ(status.count, row.count);
    EXPECT_EQ(Scratch::read(path), row.after);
}

INSTANTIATE_TEST_SUITE_P(open, OpenStoreTest, ::testing::ValuesIn(kOpenRows), test::RowName{});

TEST(SetFilePath, is_Velmora_ini_in_the_current_directory)
{
    EXPECT_EQ(setFilePathIn("/home/player/games"), "/home/player/games/Velmora.ini");
}

// ---- the load dialog's list ---------------------------------------------------------------

struct ListRow {
    std::string name;
    std::string contents;
    std::vector<std::string> names{};
};

const ListRow kListRows[] = {
    {.name = "count_0_lists_nothing",
     .contents = "[Velmora]\r\nSaveNumber=0\r\n[Save1]\r\nSaveName=a\r\n"},
    {.name = "count_3_lists_three_names_in_set_order",
     .contents = "[Velmora]\r\nSaveNumber=3\r\n[Save2]\r\nSaveName=b\r\n[Save1]\r\nSaveName=a\r\n"
                 "[Save3]\r\nSaveName=c\r\n",
     .names = {"a", "b", "c"}},
    {.name = "count_below_the_sets_present_lists_the_count",
     .contents = "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=a\r\n[Save2]\r\nSaveName=b\r\n",
     .names = {"a"}},
    {.name = "count_above_the_sets_present_lists_the_sets_present",
     .contents = "[Velmora]\r\nSaveNumber=32767\r\n[Save1]\r\nSaveName=a\r\n",
     .names = {"a"}},
    {.name = "word_count_lists_the_sets_present",
     .contents = "[Velmora]\r\nSaveNumber=Default\r\n[Save1]\r\nSaveName=a\r\n[Save2]\r\n",
     .names = {"a", "Default"}},
    {.name = "repeated_names_are_listed_each_time",
     .contents = "[Velmora]\r\nSaveNumber=2\r\n[Save1]\r\nSaveName=x\r\n[Save2]\r\nSaveName=x\r\n",
     .names = {"x", "x"}},
    {.name = "empty_name_lists_as_empty_text",
     .contents = "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=\r\n",
     .names = {""}},
};

class ListTest : public ::testing::TestWithParam<ListRow> {};

TEST_P(ListTest, lists_set_names_and_never_more_sets_than_exist)
{
    Scratch scratch;
    const std::string path = scratch.path("Velmora.ini");
    Scratch::write(path, GetParam().contents);
    EXPECT_EQ(listSetNames(path), GetParam().names);
    EXPECT_EQ(Scratch::read(path), GetParam().contents);
}

INSTANTIATE_TEST_SUITE_P(list, ListTest, ::testing::ValuesIn(kListRows), test::RowName{});

TEST(ListTest, missing_store_lists_nothing)
{
    Scratch scratch;
    EXPECT_TRUE(listSetNames(scratch.path("Velmora.ini")).empty());
}

// ---- save and load ------------------------------------------------------------------------

EditorLists threeRows(std::string a, std::string b, std::string c)
{
    return {{"FullscreenColorbits", "Coronas", "GameRenderDevice"},
            {std::move(a), std::move(b), std::move(c)}};
}

struct SaveRow {
    std::string name;
    std::string before;
    std::string setName;
    int setNumber;
    std::string after;
};

const SaveRow kSaveRows[] = {
    {.name = "first_set_raises_the_count_then_writes_name_and_rows_in_order",
     .before = "[Velmora]\r\nSaveNumber=0\r\n",
     .setName = "Fast",
     .setNumber = 1,
     .after = "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=Fast\r\n"
              "FullscreenColorbits=32\r\nCoronas=True\r\nGameRenderDevice=Direct 3D\r\n"},
    {.name = "count_9_gives_Save10",
     .before = "[Velmora]\r\nSaveNumber=9\r\n",
     .setName = "x",
     .setNumber = 10,
     .after = "[Velmora]\r\nSaveNumber=10\r\n[Save10]\r\nSaveName=x\r\n"
              "FullscreenColorbits=32\r\nCoronas=True\r\nGameRenderDevice=Direct 3D\r\n"},
    {.name = "word_count_never_overwrites_a_set",
     .before = "[Velmora]\nSaveNumber=lots\n[Save1]\nSaveName=old\n",
     .setName = "new",
     .setNumber = 2,
     .after = "[Velmora]\nSaveNumber=2\n[Save1]\nSaveName=old\n[Save2]\nSaveName=new\n"
              "FullscreenColorbits=32\nCoronas=True\nGameRenderDevice=Direct 3D\n"},
    {.name = "count_below_the_sets_present_never_overwrites_a_set",
     .before = "[Velmora]\nSaveNumber=0\n[Save1]\nSaveName=old\n",
     .setName = "new",
     .setNumber = 2,
     .after = "[Velmora]\nSaveNumber=2\n[Save1]\nSaveName=old\n[Save2]\nSaveName=new\n"
              "FullscreenColorbits=32\nCoronas=True\nGameRenderDevice=Direct 3D\n"},
    {.name = "name_is_kept_as_typed",
     .before = "[Velmora]\r\nSaveNumber=0\r\n",
     .setName = "a=b; [c]",
     .setNumber = 1,
     .after = "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=a=b; [c]\r\n"
              "FullscreenColorbits=32\r\nCoronas=True\r\nGameRenderDevice=Direct 3D\r\n"},
};

class SaveTest : public ::testing::TestWithParam<SaveRow> {};

TEST_P(SaveTest, appends_one_set)
{
    const SaveRow& row = GetParam();
    Scratch scratch;
    const std::string path = scratch.path("Velmora.ini");
    Scratch::write(path, row.before);
    const SaveResult result =
        saveSettingSet(path, row.setName, threeRows("32", "True", "Direct 3D"));
    EXPECT_TRUE(result.outcome.ok()) << result.outcome.reason;
    EXPECT_EQ(result.setNumber, row.setNumber);
    EXPECT_EQ(Scratch::read(path), row.after);
}

INSTANTIATE_TEST_SUITE_P(save, SaveTest, ::testing::ValuesIn(kSaveRows), test::RowName{});

struct RefusalRow {
    std::string name;
    std::string setName;
    EditorLists lists;
    std::string reason;
};

const RefusalRow kRefusalRows[] = {
    {.name = "name_with_line_feed",
     .setName = "a\nb",
     .lists = threeRows("32", "True", "Glide"),
     .reason = "A set name cannot contain a line break."},
    {.name = "name_with_carriage_return",
     .setName = "a\r",
     .lists = threeRows("32", "True", "Glide"),
     .reason = "A set name cannot contain a line break."},
    {.name = "name_with_nul",
     .setName = std::string("a\0b", 3),
     .lists = threeRows("32", "True", "Glide"),
     .reason = "A set name cannot contain a line break."},
    {.name = "value_with_line_break",
     .setName = "ok",
     .lists = threeRows("32", "True\r\n[Save1]", "Glide"),
     .reason = "The value of Coronas cannot contain a line break."},
};

class RefusalTest : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(RefusalTest, writes_nothing)
{
    const RefusalRow& row = GetParam();
    Scratch scratch;
    const std::string path = scratch.path("Velmora.ini");
    const std::string before = "[Velmora]\r\nSaveNumber=0\r\n";
    Scratch::write(path, before);
    const SaveResult result = saveSettingSet(path, row.setName, row.lists);
    EXPECT_EQ(result.outcome.status, platform::WriteStatus::Refused);
    EXPECT_EQ(result.outcome.reason, row.reason);
    EXPECT_EQ(Scratch::read(path), before);
}

INSTANTIATE_TEST_SUITE_P(refuse, RefusalTest, ::testing::ValuesIn(kRefusalRows), test::RowName{});

TEST(SaveTest, failed_write_is_reported_with_the_reason)
{
    Scratch scratch;
    // A regular file where the store's folder should be: no user, root included, can write.
    Scratch::write(scratch.path("folder"), "");
    const SaveResult result =
        saveSettingSet(scratch.path("folder/Velmora.ini"), "x", threeRows("1", "2", "3"));
    EXPECT_EQ(result.outcome.status, platform::WriteStatus::Failed);
    EXPECT_FALSE(result.outcome.reason.empty());
}

TEST(SaveTest, two_sets_with_one_name_are_two_sets_that_load_back)
{
    Scratch scratch;
    const std::string path = scratch.path("Velmora.ini");
    ASSERT_TRUE(openStore(path).outcome.ok());
    ASSERT_TRUE(saveSettingSet(path, "same", threeRows("16", "True", "Glide")).outcome.ok());
    ASSERT_TRUE(saveSettingSet(path, "same", threeRows("32", "False", "OpenGl")).outcome.ok());

    EXPECT_EQ(listSetNames(path), (std::vector<std::string>{"same", "same"}));
    const std::vector<std::string> names = threeRows("", "", "").names;
    EXPECT_EQ(loadSettingSet(path, 0, names), threeRows("16", "True", "Glide").values);
    EXPECT_EQ(loadSettingSet(path, 1, names), threeRows("32", "False", "OpenGl").values);
}

struct LoadRow {
    std::string name;
    int position;
    std::vector<std::string> values;
};

const std::string kLoadStore = "[Velmora]\r\nSaveNumber=3\r\n"
                               "[Save1]\r\nSaveName=one\r\nFullscreenColorbits=16\r\n"
                               "Coronas=True\r\nGameRenderDevice=Software\r\n"
                               "[Save3]\r\nSaveName=three\r\nfullscreencolorbits=32\r\n"
                               "Coronas=\r\n";

const LoadRow kLoadRows[] = {
    {.name = "position_0_reads_Save1", .position = 0, .values = {"16", "True", "Software"}},
    {.name = "position_2_reads_Save3_missing_key_Default_empty_value_empty",
     .position = 2,
     .values = {"32", "", "Default"}},
    {.name = "missing_section_reads_Default",
     .position = 1,
     .values = {"Default", "Default", "Default"}},
};

class LoadTest : public ::testing::TestWithParam<LoadRow> {};

TEST_P(LoadTest, reads_the_set_by_the_editor_names)
{
    Scratch scratch;
    const std::string path = scratch.path("Velmora.ini");
    Scratch::write(path, kLoadStore);
    EXPECT_EQ(loadSettingSet(path, GetParam().position, threeRows("", "", "").names),
              GetParam().values);
    EXPECT_EQ(Scratch::read(path), kLoadStore);
}

INSTANTIATE_TEST_SUITE_P(load, LoadTest, ::testing::ValuesIn(kLoadRows), test::RowName{});

TEST(LoadTest, long_name_lists_cut_to_254_characters)
{
    Scratch scratch;
    const std::string path = scratch.path("Velmora.ini");
    Scratch::write(path, "[Velmora]\r\nSaveNumber=0\r\n");
    ASSERT_TRUE(saveSettingSet(path, std::string(300, 'n'), threeRows("a", "b", "c")).outcome.ok());
    EXPECT_EQ(listSetNames(path), std::vector<std::string>{std::string(254, 'n')});
}

} // namespace
} // namespace velmora::sets
