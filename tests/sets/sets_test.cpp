#include "config/readmodule.h"
#include "platform/systeminfo.h"
#include "sets/apply.h"
#include "sets/store.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

using namespace std::string_literals;

enum class Op { Open, Save, List, Load, Read, Apply };

// One operation on the file `before` (absent when kNoFile; "u16:" first: UTF-16LE), checked by
// its result and the file's bytes after it (`after`; empty: unchanged). `arg` is the set name
// to save ("name|coronas" to save another Coronas value), the set number to load, or the
// editor's edits "row=value|..." over the rows read from `before`, with the file replaced by
// `between` (when set) before the apply. Results: the count text, the set number or the
// refusal, names or values joined by '|' (a missing value "-", a missing set "(gone)"), the
// number of writes or the failure text.
struct SetsRow {
    std::string name;
    Op op;
    std::string before, arg, result, after{}, between{};
};

const std::string kNoFile = "(no file)";
const std::string kSet = "FullscreenColorbits=32\r\nCoronas=True\r\nGameRenderDevice=Direct 3D\r\n";
// The head of a store whose count reads `count`.
std::string store(const std::string& count)
{
    return "[Velmora]\r\nSaveNumber=" + count + "\r\n";
}
const std::string kStore0 = store("0");
const std::string kNoBreak = "A set name cannot contain a line break.";
const std::string kEngine = "[Engine.Engine]\r\nGameRenderDevice=";
const std::string kD3d = "D3DDrv.D3DRenderDevice";
const std::string kOpenGl = "OpenGLDrv.OpenGLRenderDevice";
const std::string kClient = "32\r\nDecals=True";
const std::string kDefaults6 = "Default|Default|Default|Default|Default|Default|";
const std::string kDefaults7 = kDefaults6 + "Default|";
const std::string kOpenGlCoronas = "[" + kOpenGl + "]\r\nCoronas=False\r\n";

// A game file naming `device`, with `client` after "FullscreenColorbits=" and `coronas` after
// the D3D section's "Coronas=".
std::string game(const std::string& device = kD3d, const std::string& client = kClient,
                 const std::string& coronas = "True")
{
    return kEngine + device + "\r\n[WinDrv.WindowsClient]\r\nFullscreenColorbits=" + client +
           "\r\n[" + kD3d + "]\r\nCoronas=" + coronas + "\r\n";
}

const SetsRow kRows[] = {
    {"open_creates_a_missing_store_with_count_0", Op::Open, kNoFile, "", "0", kStore0},
    {"open_keeps_a_plain_count", Op::Open, "[Velmora]\nSaveNumber=03\n", "", "03"},
    {"open_counts_the_highest_set_for_a_word", Op::Open,
     store("x") + "[save1]\r\n [ SAVE2 ]\r\n[Save4]\r\n[Save05]\r\n", "", "4",
     store("4") + "[save1]\r\n [ SAVE2 ]\r\n[Save4]\r\n[Save05]\r\n"},
    {"open_repairs_a_negative_count", Op::Open, store("-1") + "[Save1]\r\n", "", "1",
     store("1") + "[Save1]\r\n"},
    {"save_raises_the_count_then_writes_name_and_rows_in_order", Op::Save, kStore0, "Fast", "1",
     store("1") + "[Save1]\r\nSaveName=Fast\r\n" + kSet},
    {"save_after_count_9_writes_Save10", Op::Save, store("9"), "a=b; [c]", "10",
     store("10") + "[Save10]\r\nSaveName=a=b; [c]\r\n" + kSet},
    {"save_never_overwrites_a_set", Op::Save, store("none") + "[Save1]\r\n", "x", "2",
     store("2") + "[Save1]\r\n[Save2]\r\nSaveName=x\r\n" + kSet},
    {"save_after_a_gap_takes_the_number_above_the_highest_set", Op::Save,
     store("3") + "[Save1]\r\n[Save2]\r\n[Save4]\r\n", "x", "5",
     store("5") + "[Save1]\r\n[Save2]\r\n[Save4]\r\n[Save5]\r\nSaveName=x\r\n" + kSet},
    {"save_quotes_what_a_read_would_alter", Op::Save, kStore0, " a |'x'", "1",
     store("1") + "[Save1]\r\nSaveName=\" a \"\r\nFullscreenColorbits=32\r\n"
                  "Coronas=\"'x'\"\r\nGameRenderDevice=Direct 3D\r\n"},
    {"save_into_utf16_finds_its_sets_and_stays_utf16", Op::Save,
     "u16:[Velmora]\r\nSaveNumber=x\r\n[Save2]\r\n", "x", "3",
     "u16:[Velmora]\r\nSaveNumber=3\r\n[Save2]\r\n[Save3]\r\nSaveName=x\r\n" + kSet},
    {"save_beyond_the_largest_number_is_refused", Op::Save, store("999999999"), "x",
     "The store holds the highest set number there can be; no further set can be added."},
    {"save_after_a_high_count_takes_the_next_number", Op::Save, store("99999999"), "x", "100000000",
     store("100000000") + "[Save100000000]\r\nSaveName=x\r\n" + kSet},
    {"save_refuses_a_name_with_a_lf", Op::Save, kStore0, "a\nb", kNoBreak},
    {"save_refuses_a_name_with_a_cr", Op::Save, kStore0, "a\rb", kNoBreak},
    {"save_refuses_a_name_with_a_nul", Op::Save, kStore0, "a\0b"s, kNoBreak},
    {"save_refuses_a_value_with_a_line_break", Op::Save, kStore0, "x|True\r\n[Save1]",
     "The value of Coronas cannot contain a line break."},
    {"list_gives_names_in_set_order_up_to_the_count", Op::List,
     store("3") + "[Save3]\r\nSaveName=c\r\n[Save1]\r\nSaveName=a\r\n"
                  "[Save5]\r\nSaveName=e\r\n[save1]\r\nSaveName=z\r\n",
     "", "a|c"},
    {"list_stops_at_a_low_count", Op::List, kStore0 + "[Save1]\r\nSaveName=a\r\n", "", ""},
    {"list_stops_at_the_sets_present_for_a_large_count", Op::List,
     store("32767") + "[Save1]\r\nSaveName=\r\n[Save2]\r\n", "", "|Default"},
    {"list_gives_a_long_name_cut_to_254", Op::List,
     store("1") + "[Save1]\r\nSaveName=" + std::string(300, 'n') + "\r\n", "",
     std::string(254, 'n')},
    {"list_counts_every_set_for_a_word", Op::List,
     store("1000000000") + "[Save1]\r\nSaveName=a\r\n[Save7]\r\nSaveName=\"g \"\r\n", "", "a|g "},
    {"load_reads_the_set_by_the_editor_names", Op::Load,
     "[Save3]\r\nfullscreencolorbits=16\r\nCoronas=\r\n", "3", "16||-"},
    {"load_of_a_set_gone_reads_nothing", Op::Load, "[Save1]\r\nCoronas=x\r\n", "2", "(gone)"},
    {"read_gives_Default_for_missing_keys_and_the_device_Coronas", Op::Read, game(), "",
     "32|Default|Default|Default|True|Default|True|" + kDefaults7 + "Direct 3D"},
    {"read_shows_the_glide_class_as_Glide", Op::Read,
     kEngine + "GlideDrv.GlideRenderDevice\r\n[GlideDrv.GlideRenderDevice]\r\nCoronas=False\r\n",
     "", kDefaults6 + "False|" + kDefaults7 + "Glide"},
    {"apply_with_nothing_changed_writes_nothing", Op::Apply, game(), "0=32", "0"},
    {"apply_writes_Glide_as_GlideRenderDevice", Op::Apply, game(), "14=Glide", "1",
     game("GlideDrv.GlideRenderDevice")},
    {"apply_writes_a_class_without_display_name_as_it_is", Op::Apply, game(), "14=X.Y", "1",
     game("X.Y")},
    {"apply_never_writes_placeholders", Op::Apply, game(), "3=Default|14=", "0"},
    {"apply_writes_coronas_into_the_device_section", Op::Apply, game(), "6=False", "1",
     game(kD3d, kClient, "False")},
    {"apply_writes_a_new_device_first_and_coronas_into_its_section", Op::Apply, game(),
     "6=False|14=OpenGl", "2", game(kOpenGl) + kOpenGlCoronas},
    {"apply_writes_changed_and_new_keys_in_row_order", Op::Apply, game(), "12=Low|7=Low|4=False",
     "3", game(kD3d, "32\r\nDecals=False\r\nSkinDetail=Low\r\nNoFractalAnim=Low")},
    // The file changed after the editor read it: rows equal to that read still land, and
    // Coronas follows the device the file names now.
    {"apply_compares_with_the_file_as_it_is_at_the_apply", Op::Apply, game(), "6=False|14=OpenGl",
     "2", game(kOpenGl) + kOpenGlCoronas, game(kOpenGl, "16\r\nDecals=True")},
    {"apply_refuses_a_value_that_breaks_the_file_and_writes_nothing", Op::Apply, game(),
     "0=16|3=False\n[Engine.Engine]",
     "Error when saving this itemSlowVideoBuffering = False\n[Engine.Engine] (A section name, key "
     "name or value may not contain a line break or NUL.)"},
};

std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> parts{""};
    for (const char c : text) {
        c == '|' ? (void)parts.emplace_back() : parts.back().push_back(c);
    }
    return parts;
}

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

std::string run(const SetsRow& row, const std::string& path)
{
    const std::vector<std::string> args = split(row.arg);
    const EditorLists saved{{"FullscreenColorbits", "Coronas", "GameRenderDevice"},
                            {"32", args.size() > 1 ? args[1] : "True", "Direct 3D"}};
    config::ReadModule module;
    module.ReadCount = 7;
    switch (row.op) {
    case Op::Open:
        return openStore(path).countText;
    case Op::Save: {
        const SaveResult result = saveSettingSet(path, args[0], saved);
        return result.outcome.ok() ? std::to_string(result.setNumber) : result.outcome.reason;
    }
    case Op::List:
        return joined(listSets(path), [](const StoredSet& set) { return set.name; });
    case Op::Load: {
        const auto values = loadSettingSet(path, std::stoi(row.arg), saved.names);
        return values ? joined(*values, [](const auto& v) { return v.value_or("-"); }) : "(gone)";
    }
    case Op::Read: {
        const EditorLists lists = readEditorLists(module, path);
        EXPECT_EQ(module.ReadCount, 0);
        return joined(lists.values, [](const std::string& v) { return v; });
    }
    case Op::Apply:
        break;
    }
    EditorLists editor = readEditorLists(module, path);
    for (const std::string& edit : args) {
        editor.values.at(std::stoul(edit)) = edit.substr(edit.find('=') + 1);
    }
    if (!row.between.empty()) {
        test::writeFile(path, row.between);
    }
    const ApplyResult result = ApplyChangedSettings(module, path, editor);
    return result.ok() ? std::to_string(result.written) : applyFailureText(result);
}

class SetsTest : public ::testing::TestWithParam<SetsRow> {};

TEST_P(SetsTest, GivesItsResultAndLeavesTheFileBytes)
{
    const SetsRow& row = GetParam();
    test::TemporaryFolder scratch;
    const std::string path = scratch.file("Velmora.ini");
    if (row.before != kNoFile) {
        test::writeFile(path, fileBytes(row.before));
    }
    EXPECT_EQ(run(row, path), row.result);
    // Wine rewrites the whole file on every write (docs/windows.md): bytes only elsewhere.
    if (!platform::runningUnderWine()) {
        const std::string& unchanged = row.between.empty() ? row.before : row.between;
        EXPECT_EQ(test::readFile(path), fileBytes(row.after.empty() ? unchanged : row.after));
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, SetsTest, ::testing::ValuesIn(kRows), test::RowName{});

TEST(CountTest, OnlyPlainWholeNumbersAreCountsAndNamesFitTheCodePage)
{
    EXPECT_EQ(setNameInCodePage(u"Caf\u00e9 \u20ac"), "Caf\xe9 \x80");
    EXPECT_EQ(setNameInCodePage(u"\u0416"), std::nullopt);
    for (const char* text : {"", "Default", "-1", "+1", "2.5", "1 2", "1000000000"}) {
        EXPECT_EQ(parseCount(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace velmora::sets
