// The store of setting sets and the editor's read and apply, by the rules in
// tests/data/sets-rules.tsv.

#include "config/readmodule.h"
#include "platform/systeminfo.h"
#include "sets/apply.h"
#include "sets/store.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

// The text of each item, joined by '|'.
template <class T, class Text> std::string joined(const std::vector<T>& items, Text text)
{
    std::string all;
    for (std::size_t i = 0; i < items.size(); ++i)
        all += (i == 0 ? "" : "|") + text(items[i]);
    return all;
}

// The result of the row's operation on the file at `path`.
std::string run(const test::TableRow& row, const std::string& path)
{
    const std::string& op = row[1];
    const std::vector<std::string> args = test::split(row[3], '|');
    const EditorLists saved{{"FullscreenColorbits", "Coronas", "GameRenderDevice"},
                            {"32", args.size() > 1 ? args[1] : "True", "Direct 3D"}};
    config::ReadModule module;
    module.ReadCount = 7;
    if (op == "open")
        return openStore(path).countText;
    if (op == "save") {
        const SaveResult result = saveSettingSet(path, args[0], saved);
        return result.outcome.ok() ? std::to_string(result.setNumber) : result.outcome.reason;
    }
    if (op == "list")
        return joined(listSets(path), [](const StoredSet& set) { return set.name; });
    if (op == "load") {
        const auto values = loadSettingSet(path, std::stoi(row[3]), saved.names);
        return values ? joined(*values, [](const auto& v) { return v.value_or("-"); }) : "(gone)";
    }
    EditorLists editor = readEditorLists(module, path);
    if (op == "read") {
        EXPECT_EQ(module.ReadCount, 0);
        return joined(editor.values, [](const std::string& v) { return v; });
    }
    const EditorLists lastRead = editor;
    for (const std::string& edit : args)
        editor.values.at(std::stoul(edit)) = edit.substr(edit.find('=') + 1);
    if (!row[6].empty())
        test::writeFile(path, row[6]);
    const ApplyResult result =
        ApplyChangedSettings(module, path, editor, op == "update" ? &lastRead : nullptr);
    return result.ok() ? std::to_string(result.written) : applyFailureText(result);
}

VELMORA_RULES(SetsRule, GivesItsResultAndLeavesTheFileBytes, "sets-rules.tsv", "sets", 7)
{
    const test::TableRow& row = GetParam();
    test::TemporaryFolder scratch;
    const std::string path = scratch.file("Velmora.ini");
    if (row[2] != "(no file)")
        test::writeFile(path, row[2]);
    EXPECT_EQ(run(row, path), row[4]);
    // Wine rewrites the whole file on every write (docs/windows.md): bytes only elsewhere.
    if (!platform::runningUnderWine()) {
        const std::string& unchanged = row[6].empty() ? row[2] : row[6];
        EXPECT_EQ(test::readFile(path), row[5].empty() ? unchanged : row[5]);
    }
}

TEST(CountTest, OnlyPlainWholeNumbersAreCountsAndNamesFitTheCodePage)
{
    EXPECT_EQ(setNameInCodePage(u"Caf\u00e9 \u20ac"), "Caf\xe9 \x80");
    EXPECT_EQ(setNameInCodePage(u"\u0416"), std::nullopt);
    for (const char* text : {"", "Default", "-1", "+1", "2.5", "1 2", "1000000000"})
        EXPECT_EQ(parseCount(text), std::nullopt) << text;
}

} // namespace
} // namespace velmora::sets
