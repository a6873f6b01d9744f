// The catalogue, the read module, finding the game's file and the main window's figures and
// texts, by the rules in tests/data/config-rules.tsv.

#include "config/catalogue.h"
#include "config/commandline.h"
#include "config/gameconfig.h"
#include "config/mainwindisplay.h"
#include "config/readmodule.h"
#include "config/renderers.h"
#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/gameview.h"
#include "support/rowname.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

TEST(ReadModule, ReadsCutTo254CharactersAndDoesNotMakeAFileGoneAgain)
{
    const test::FolderFile game("UnrealTournament.ini", "[L]\r\nK=" + std::string(300, 'x'));
    ReadModule module;
    module.ReadGameValue("L", "K", game.path);
    EXPECT_EQ(module.ReadResult, std::string(254, 'x'));
    // A file never seen is created (a new --ini file); one seen and gone since is not, and no
    // copy is asked for.
    const std::string created = game.folder.file("new.ini");
    ASSERT_TRUE(module.WriteGameValue("S", "K", "1", created).ok());
    module.beforeWrite = [](const std::string&) { return platform::WriteOutcome::failed("full"); };
    for (const std::string& gone : {game.path, created}) {
        std::filesystem::remove(gone);
        EXPECT_EQ(module.WriteGameValue("S", "K", "4", gone).reason, kFileGone);
        EXPECT_FALSE(platform::fileExists(gone));
    }
}

// The registry's folder lives in a temporary folder: backslashes become slashes there.
struct FixedLocator : platform::GameLocator {
    FixedLocator(std::string f, std::string r) : folder(std::move(f)), root(std::move(r)) {}
    std::string gameFolder() const override { return folder; }
    std::string localPath(const std::string& windowsPath) const override
    {
        std::string path = windowsPath;
        std::ranges::replace(path, '\\', '/');
        return windowsPath.starts_with("\\\\") ? std::string() : root + "/" + path;
    }
    std::string folder, root;
};

constexpr const char* kNative = "home/.utpg/System/UnrealTournament.ini";

VELMORA_RULES(LocateGameConfig, ChoosesTheFileTheGameReads, "config-rules.tsv", "locate", 6)
{
    const test::TableRow& row = GetParam();
    const test::TemporaryFolder root;
    auto time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const std::string& file : test::split(row[2], '|')) {
        std::filesystem::create_directories(std::filesystem::path(root.file(file)).parent_path());
        test::writeFile(root.file(file), "[Engine.Engine]\r\n");
        std::filesystem::last_write_time(root.file(file), time += std::chrono::seconds(1));
    }
    // Windows has no native game: there the rows name its file themselves.
    const std::string native = nativeGameConfig(root.file("home"));
    const GameConfigRequest request{row[3].empty() ? "" : root.file(row[3]),
                                    native.empty() ? root.file(kNative) : native};
    const auto location = locateGameConfig(FixedLocator(row[1], root.path()), request);
    ASSERT_EQ(location.has_value(), !row[4].empty());
    const std::string reason = location ? location->why : iniFileProblem(request.iniFile);
    EXPECT_TRUE(reason.starts_with(row[5])) << reason;
    if (location) {
        EXPECT_EQ(location->Utpath, FixedLocator("", root.path()).localPath(row[4]));
    }
}

// The game's renderers from the files beside its configuration file, and the editor's row-14
// cycle from the renderer the file names, round to where it started.
VELMORA_RULES(GameRenderers, ListAndCycle, "config-rules.tsv", "renderers", 5)
{
    const test::TableRow& row = GetParam();
    const test::FolderFile game("UnrealTournament.ini", "[Engine.Engine]\r\n" + row[1]);
    for (const std::string& entry : test::split(row[2], '|'))
        test::writeFile(game.folder.file(entry.substr(0, entry.find('='))),
                        entry.substr(entry.find('=') + 1));
    const std::vector<Renderer> renderers = gameRenderers(game.path);
    std::vector<std::string> items;
    for (const Renderer& renderer : renderers)
        items.push_back(renderer.listItem + "=" + renderer.className);
    EXPECT_EQ(items, test::split(row[3], '|'));
    const std::vector<std::string> cycle = deviceCycle(game.path);
    std::vector<std::string> steps{
        displayNameFor(renderers, platform::getProfileString(game.path, kEngine, kGameRenderDevice,
                                                             "Default", 255))};
    while (steps.size() < 20 && nextInCycle(kDeviceRow, steps.back(), cycle) != steps.front())
        steps.emplace_back(nextInCycle(kDeviceRow, steps.back(), cycle).value_or("(stuck)"));
    EXPECT_EQ(steps, test::split(row[4], '|'));
}

VELMORA_RULES(ResolutionList, TableSizesThenWidescreenThenTheScreen, "config-rules.tsv", "screen",
              5)
{
    const test::TableRow& row = GetParam();
    const auto choices = resolutionChoices(std::stoi(row[1]), std::stoi(row[2]));
    ASSERT_EQ(choices.size(), std::stoul(row[4]));
    EXPECT_EQ(choices.back().listItem, row[3]);
    for (const ResolutionChoice& choice : choices) // each item names the size it writes
        EXPECT_EQ(choice.listItem,
                  std::to_string(choice.width) + "*" + std::to_string(choice.height));
}

VELMORA_RULES(CommandLineTable, ParsesIniAndHelp, "config-rules.tsv", "commandline", 5)
{
    const CommandLine line = parseCommandLine(test::split(GetParam()[1], '|'));
    EXPECT_EQ(line.help, GetParam()[2] == "yes");
    EXPECT_EQ(line.iniFile, GetParam()[3]);
    EXPECT_EQ(line.error, GetParam()[4]);
    // The help is plain terminal text: LF line ends.
    EXPECT_EQ(std::string(commandLineHelp()).find('\r'), std::string::npos);
}

// Each value of a row's cycle steps to the next, the last back to the first; anything else,
// and a typed row, does not step.
VELMORA_RULES(CycleStep, StepsOrStays, "config-rules.tsv", "cycle", 4)
{
    const auto next = nextInCycle(std::stoul(GetParam()[1]), GetParam()[2]);
    EXPECT_EQ(next.value_or(""), GetParam()[3]);
}

// A preset applied to a real game file, then read back the way the game reads it.
VELMORA_RULES(PresetOnGameFile, TheGameReadsEveryPresetValue, "config-rules.tsv", "preset", 4)
{
    const test::TableRow& row = GetParam();
    const test::FolderFile game("UnrealTournament.ini", "(absent)");
    std::filesystem::copy_file(std::string(VELMORA_TESTDATA) + "/ut-ini/" + row[2], game.path);
    auto expected = test::gameView(test::readFile(game.path));
    for (const std::string& setting : test::split(row[3], '|'))
        expected[setting.substr(0, setting.find('='))] = setting.substr(setting.find('=') + 1);
    ReadModule module;
    ASSERT_TRUE(
        writePreset(module, row[1] == "slow" ? Preset::Slow : Preset::Fast, game.path).ok());
    EXPECT_EQ(test::gameView(test::readFile(game.path)), expected);
}

VELMORA_RULES(MemoryFigures, FiguresAndTexts, "config-rules.tsv", "memory", 7)
{
    const test::TableRow& row = GetParam();
    const auto figures = memoryFigures(std::stoull(row[1]));
    EXPECT_EQ(figures.detectedMb, std::stoll(row[2]));
    EXPECT_EQ(figures.suggestedCacheMb, std::stoll(row[3]));
    EXPECT_EQ(cacheLimitMb(figures.detectedMb), std::stoll(row[4]));
    EXPECT_EQ(blankSignedNumber(figures.suggestedCacheMb), row[5]);
    EXPECT_EQ(memoryPanelText(figures.detectedMb), row[6]);
}

VELMORA_RULES(ResolutionPanel, Text, "config-rules.tsv", "resolution", 4)
{
    EXPECT_EQ(resolutionPanelText(GetParam()[1], GetParam()[2]), GetParam()[3]);
}

VELMORA_RULES(CacheSizeValue, Value, "config-rules.tsv", "cache", 4)
{
    EXPECT_EQ(cacheSizeValue(GetParam()[1]), std::stoll(GetParam()[2]));
    EXPECT_EQ(cacheSizeGiven(GetParam()[1]), GetParam()[3] == "yes");
}

} // namespace
} // namespace velmora::config
