#include "sets/store.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"
#include "support/wine.h"

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

using namespace std::string_literals;

const std::string kNoFile = "(no file)";

enum class Op { Open, Save, List, Load };

// Each row runs one store operation on `before` and checks the file and a result: the count
// text (Open), the set number or the refusal (Save), the names or values joined by '|' (a
// missing value as "-", a missing set as "(gone)"). "u16:" before a file means UTF-16LE.
struct StoreRow {
    std::string name;
    Op op;
    std::string before;
    std::string after; // empty: the file is unchanged
    std::string result;
    std::string arg{};            // the set name for Save, the set number for Load
    std::string coronas = "True"; // the second value of the saved rows
};

const std::string kSet = "FullscreenColorbits=32\r\nCoronas=True\r\nGameRenderDevice=Direct 3D\r\n";

const StoreRow kStoreRows[] = {
    {"open_creates_a_missing_store_with_count_0", Op::Open, kNoFile,
     "[Velmora]\r\nSaveNumber=0\r\n", "0"},
    {"open_keeps_a_plain_count", Op::Open, "[Velmora]\nSaveNumber=03\n", "", "03"},
    {"open_counts_the_highest_set_for_a_word", Op::Open,
     "[Velmora]\r\nSaveNumber=x\r\n[save1]\r\n [ SAVE2 ]\r\n[Save4]\r\n[Save05]\r\n",
     "[Velmora]\r\nSaveNumber=4\r\n[save1]\r\n [ SAVE2 ]\r\n[Save4]\r\n[Save05]\r\n", "4"},
    {"open_repairs_a_negative_count", Op::Open, "[Velmora]\r\nSaveNumber=-1\r\n[Save1]\r\n",
     "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\n", "1"},
    {"save_raises_the_count_then_writes_name_and_rows_in_order", Op::Save,
     "[Velmora]\r\nSaveNumber=0\r\n",
     "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=Fast\r\n" + kSet, "1", "Fast"},
    {"save_after_count_9_writes_Save10", Op::Save, "[Velmora]\r\nSaveNumber=9\r\n",
     "[Velmora]\r\nSaveNumber=10\r\n[Save10]\r\nSaveName=a=b; [c]\r\n" + kSet, "10", "a=b; [c]"},
    {"save_never_overwrites_a_set_whatever_the_count", Op::Save,
     "[Velmora]\r\nSaveNumber=none\r\n[Save1]\r\n",
     "[Velmora]\r\nSaveNumber=2\r\n[Save1]\r\n[Save2]\r\nSaveName=x\r\n" + kSet, "2", "x"},
    {"save_after_a_gap_takes_the_number_above_the_highest_set", Op::Save,
     "[Velmora]\r\nSaveNumber=3\r\n[Save1]\r\n[Save2]\r\n[Save4]\r\n",
     "[Velmora]\r\nSaveNumber=5\r\n[Save1]\r\n[Save2]\r\n[Save4]\r\n[Save5]\r\nSaveName=x\r\n" +
         kSet,
     "5", "x"},
    {"save_quotes_what_a_read_would_alter", Op::Save, "[Velmora]\r\nSaveNumber=0\r\n",
     "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=\" a \"\r\nFullscreenColorbits=32\r\n"
     "Coronas=\"'x'\"\r\nGameRenderDevice=Direct 3D\r\n",
     "1", " a ", "'x'"},
    {"save_into_utf16_finds_its_sets_and_stays_utf16", Op::Save,
     "u16:[Velmora]\r\nSaveNumber=x\r\n[Save2]\r\n",
     "u16:[Velmora]\r\nSaveNumber=3\r\n[Save2]\r\n[Save3]\r\nSaveName=x\r\n" + kSet, "3", "x"},
    {"save_beyond_the_largest_number_is_refused", Op::Save, "[Velmora]\r\nSaveNumber=999999999\r\n",
     "", "The store holds the highest set number there can be; no further set can be added.", "x"},
    {"save_after_a_count_beyond_the_sets_takes_the_next_number", Op::Save,
     "[Velmora]\r\nSaveNumber=99999999\r\n",
     "[Velmora]\r\nSaveNumber=100000000\r\n[Save100000000]\r\nSaveName=x\r\n" + kSet, "100000000",
     "x"},
    {"save_refuses_a_name_with_a_line_break", Op::Save, "[Velmora]\r\nSaveNumber=0\r\n", "",
     "A set name cannot contain a line break.", "a\nb"},
    {"save_refuses_a_name_with_a_cr", Op::Save, "[Velmora]\r\nSaveNumber=0\r\n", "",
     "A set name cannot contain a line break.", "a\rb"},
    {"save_refuses_a_name_with_a_nul", Op::Save, "[Velmora]\r\nSaveNumber=0\r\n", "",
     "A set name cannot contain a line break.", "a\0b"s},
    {"save_refuses_a_value_with_a_line_break", Op::Save, "[Velmora]\r\nSaveNumber=0\r\n", "",
     "The value of Coronas cannot contain a line break.", "x", "True\r\n[Save1]"},
    {"list_gives_names_in_set_order_skipping_gaps_and_sets_beyond_the_count", Op::List,
     "[Velmora]\r\nSaveNumber=3\r\n[Save3]\r\nSaveName=c\r\n[Save1]\r\nSaveName=a\r\n"
     "[Save5]\r\nSaveName=e\r\n[save1]\r\nSaveName=z\r\n",
     "", "a|c"},
    {"list_stops_at_a_count_below_the_sets", Op::List,
     "[Velmora]\r\nSaveNumber=0\r\n[Save1]\r\nSaveName=a\r\n", "", ""},
    {"list_stops_at_the_sets_present_for_a_large_count", Op::List,
     "[Velmora]\r\nSaveNumber=32767\r\n[Save1]\r\nSaveName=\r\n[Save2]\r\n", "", "|Default"},
    {"list_gives_a_long_name_cut_to_254", Op::List,
     "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=" + std::string(300, 'n') + "\r\n", "",
     std::string(254, 'n')},
    {"list_counts_every_set_for_a_word", Op::List,
     "[Velmora]\r\nSaveNumber=1000000000\r\n[Save1]\r\nSaveName=a\r\n[Save7]\r\nSaveName=\"g "
     "\"\r\n",
     "", "a|g "},
    {"load_reads_the_set_by_the_editor_names", Op::Load,
     "[Save3]\r\nfullscreencolorbits=16\r\nCoronas=\r\n", "", "16||-", "3"},
    {"load_of_a_set_gone_reads_nothing", Op::Load, "[Save1]\r\nCoronas=x\r\n", "", "(gone)", "2"},
};

template <class T, class Text> std::string joined(const std::vector<T>& items, Text text)
{
    std::string all;
    for (std::size_t i = 0; i < items.size(); ++i) {
        all += (i == 0 ? "" : "|") + text(items[i]);
    }
    return all;
}

std::string fileBytes(const std::string& text)
{
    if (!text.starts_with("u16:")) {
        return text;
    }
    std::string bytes = "\xFF\xFE";
    for (const char c : text.substr(4)) {
        bytes += {c, '\0'};
    }
    return bytes;
}

class StoreTest : public ::testing::TestWithParam<StoreRow> {};

TEST_P(StoreTest, KeepsTheFileFormat)
{
    const StoreRow& row = GetParam();
    test::TemporaryFolder scratch;
    const std::string path = scratch.file("Velmora.ini");
    if (row.before != kNoFile) {
        test::writeFile(path, fileBytes(row.before));
    }
    const EditorLists lists{{"FullscreenColorbits", "Coronas", "GameRenderDevice"},
                            {"32", row.coronas, "Direct 3D"}};
    std::string result;
    switch (row.op) {
    case Op::Open:
        result = openStore(path).countText;
        break;
    case Op::Save: {
        const SaveResult saved = saveSettingSet(path, row.arg, lists);
        result = saved.outcome.ok() ? std::to_string(saved.setNumber) : saved.outcome.reason;
        break;
    }
    case Op::List:
        result = joined(listSets(path), [](const StoredSet& set) { return set.name; });
        break;
    case Op::Load: {
        const auto values = loadSettingSet(path, std::stoi(row.arg), lists.names);
        result = values ? joined(*values, [](const auto& v) { return v.value_or("-"); }) : "(gone)";
        break;
    }
    }
    EXPECT_EQ(result, row.result);
    // Wine rewrites the whole file on every write (docs/windows.md): bytes only elsewhere.
    if (!test::runningUnderWine()) {
        EXPECT_EQ(test::readFile(path), fileBytes(row.after.empty() ? row.before : row.after));
    }
}

INSTANTIATE_TEST_SUITE_P(Store, StoreTest, ::testing::ValuesIn(kStoreRows), test::RowName{});

TEST(CountTest, OnlyPlainWholeNumbersAreCountsAndNamesFitTheCodePage)
{
    EXPECT_EQ(setNameInCodePage(u"Caf\u00e9 \u20ac"), "Caf\xe9 \x80");
    EXPECT_EQ(setNameInCodePage(u"\u0416"), std::nullopt);
    EXPECT_EQ(parseCount("0"), 0);
    EXPECT_EQ(parseCount("999999999"), 999999999);
    for (const char* text : {"", "Default", "-1", "+1", "2.5", "1 2", "1000000000"}) {
        EXPECT_EQ(parseCount(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace velmora::sets
