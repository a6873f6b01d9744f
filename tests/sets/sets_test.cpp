// The store of setting sets by the rules in tests/data/store-rules.tsv, and the editor's read
// and apply over the game's file by those in tests/data/apply-rules.tsv.

#include "config/readmodule.h"
#include "sets/apply.h"
#include "sets/store.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace velmora::sets {
namespace {

VELMORA_RULES(OpenStore, GivesTheCountAndCreatesOrRepairsTheStore, "store-rules.tsv", "open", 4)
{
    const test::FolderFile store("Velmora.ini", GetParam()[1]);
    EXPECT_EQ(openStore(store.path).countText, GetParam()[2]);
    EXPECT_EQ(test::readFile(store.path), GetParam()[3].empty() ? GetParam()[1] : GetParam()[3]);
}

VELMORA_RULES(SaveSet, AddsTheSetOrRefusesIt, "store-rules.tsv", "save", 6)
{
    const test::TableRow& row = GetParam();
    const test::FolderFile store("Velmora.ini", row[1]);
    const EditorLists lists{{"FullscreenColorbits", "Coronas", "GameRenderDevice"},
                            {"32", row[3], "Direct 3D"}};
    const SaveResult result = saveSettingSet(store.path, row[2], lists);
    EXPECT_EQ(result.outcome.ok() ? std::to_string(result.setNumber) : result.outcome.reason,
              row[4]);
    EXPECT_EQ(test::readFile(store.path), row[5].empty() ? row[1] : row[5]);
}

// The sets the load dialog lists, and a load of one of them, from the same store.
VELMORA_RULES(ListAndLoadSets, GiveTheSetsTheDialogOffersAndTheirValuesByName, "store-rules.tsv",
              "list", 5)
{
    const test::FolderFile store("Velmora.ini", GetParam()[1]);
    std::vector<std::string> names;
    for (const StoredSet& set : listSets(store.path))
        names.push_back(set.name);
    EXPECT_EQ(names, test::split(GetParam()[2], '|'));
    if (GetParam()[3].empty())
        return;
    const auto values = loadSettingSet(store.path, std::stoi(GetParam()[3]),
                                       {"FullscreenColorbits", "Coronas", "GameRenderDevice"});
    std::vector<std::string> got; // a set gone reads as the one value "(gone)"
    for (const auto& value : values.value_or(std::vector<std::optional<std::string>>{"(gone)"}))
        got.push_back(value.value_or("-"));
    EXPECT_EQ(got, test::split(GetParam()[4], '|'));
}

VELMORA_RULES(ApplyRule, WritesTheChangesAndNothingElse, "apply-rules.tsv", "apply", 8)
{
    const test::TableRow& row = GetParam();
    const test::FolderFile game("UnrealTournament.ini", row[2]);
    config::ReadModule module;
    const EditorLists lastRead = readEditorLists(module, game.path);
    if (!row[7].empty()) {
        EXPECT_EQ(lastRead.values, test::split(row[7], '|'));
    }
    EditorLists editor = lastRead;
    for (const std::string& edit : test::split(row[3], '|'))
        editor.values.at(std::stoul(edit)) = edit.substr(edit.find('=') + 1);
    if (row[4] == "-")
        std::filesystem::remove(game.path);
    else if (!row[4].empty())
        test::writeFile(game.path, row[4]);
    const ApplyResult result =
        ApplyChangedSettings(module, game.path, editor, row[1] == "update" ? &lastRead : nullptr);
    EXPECT_EQ(result.ok() ? std::to_string(result.written)
                          : applyFailureItem(result) + " (" + result.outcome.reason + ")",
              row[5]);
    EXPECT_EQ(test::readFile(game.path), row[6]);
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
