// Finding the game under Wine: Steam libraries, prefixes, drive mapping and the locator, by the
// rules in tests/data/system-rules.tsv.

#include "platform/dosdevices.h"
#include "platform/gamelocator_posix.h"
#include "platform/steamvdf.h"
#include "platform/wineprefixes.h"
#include "support/datatable.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform::wine {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

VELMORA_RULES(SteamLibraryFile, ListsTheLibraries, "system-rules.tsv", "vdf", 3)
{
    EXPECT_EQ(steamLibrariesFromVdf(GetParam()[1]), test::split(GetParam()[2], '|'));
}

class Prefixes : public testing::TestWithParam<test::TableRow> {
protected:
    std::string path(std::string_view name) const { return m_temp.file(name); }
    // $T stands for the temporary folder, $C for `driveC` and $S for `system`.
    std::string expand(std::string text, const std::string& driveC = "",
                       const std::string& system = "") const
    {
        for (const auto& [token, value] :
             {std::pair{"$T", m_temp.path()}, {"$C", driveC}, {"$S", system}})
            for (auto at = text.find(token); at != std::string::npos; at = text.find(token))
                text.replace(at, 2, value);
        return text;
    }

    test::TemporaryFolder m_temp;
};

TEST_F(Prefixes, WinePrefixIfSetElseDotWineThenProtonPrefixesOfEveryLibraryOnce)
{
    EXPECT_EQ(candidatePrefixes("", path("home")), Paths{path("home/.wine")});
    EXPECT_TRUE(candidatePrefixes({}, "").empty());
    const std::string steam = path("home/.local/share/Steam");
    fs::create_directories(path("games/Lib"));
    fs::create_directories(steam + "/steamapps");
    test::writeFile(steam + "/steamapps/libraryfolders.vdf",
                    "\"libraryfolders\" { \"0\" { \"path\" \"" + steam +
                        "\" } \"1\" { \"path\" \"" + path("games/Lib") +
                        "\" } \"2\" { \"path\" \"/nonexistent/lib\" } }");
    fs::create_directories(path("home/.steam"));
    fs::create_directory_symlink(steam, path("home/.steam/steam"));
    EXPECT_EQ(candidatePrefixes("/opt/prefixes/ut//", path("home")), Paths{"/opt/prefixes/ut"});
    const std::string game = "/steamapps/compatdata/13240/pfx"; // the game's Steam app id
    EXPECT_EQ(
        candidatePrefixes(std::nullopt, path("home")),
        (Paths{path("home/.wine"), path("home/.steam/steam") + game, path("games/Lib") + game}));
}

using PathMapping = Prefixes;

TEST_P(PathMapping, FollowsDriveLinksAndIgnoresCase)
{
    const test::FakePrefix prefix = test::writeFakePrefix(path("pfx"), "C:\\Games\\UT");
    test::writeFile(prefix.systemFolder + "/UnrealTournament.ini", "[Engine.Engine]\n");
    fs::create_directories(prefix.driveC + "/Jeux/\xC3\x89"
                                           "dition");
    fs::create_directories(path("cdrom"));
    fs::create_directory_symlink(path("cdrom"), prefix.root + "/dosdevices/d:");
    EXPECT_EQ(unixPathInPrefix(prefix.root, expand(GetParam()[1], prefix.driveC)),
              expand(GetParam()[2], prefix.driveC));
}

VELMORA_TABLE_ROWS(PathMapping, "system-rules.tsv", "mapping", 3);

// The locator over a missing prefix, one without the game's key, then one whose key holds the
// row's folder.
using Locator = Prefixes;

TEST_P(Locator, FirstPrefixWithTheKeyAnswersAndMapsPaths)
{
    const test::TableRow& row = GetParam();
    fs::create_directories(path("ut/System"));
    test::writeFakePrefix(path("empty"), "");
    const auto game = test::writeFakePrefix(path("pfx"), expand(row[1]),
                                            row[2] == "wow" ? test::RegistryView::Wow6432Node
                                                            : test::RegistryView::Plain);
    const WineGameLocator locator({path("missing"), path("empty"), path("pfx")});
    // localPath() searches by itself when the folder was not asked for first.
    EXPECT_EQ(locator.localPath(expand(row[3])), expand(row[5], "", game.systemFolder));
    EXPECT_EQ(locator.gameFolder(), expand(row[4]));
}

VELMORA_TABLE_ROWS(Locator, "system-rules.tsv", "locator", 6);

// Each test runs in its own process, so setting the environment here touches no other test.
TEST_F(Prefixes, SystemLocatorUsesWinePrefixElseHomeFromTheEnvironment)
{
    const auto game = test::writeFakePrefix(path("env"), "C:\\Games\\UT");
    ASSERT_EQ(setenv("WINEPREFIX", path("env").c_str(), 1), 0);
    const auto locator = makeSystemGameLocator();
    unsetenv("WINEPREFIX");
    EXPECT_EQ(locator->gameFolder(), "C:\\Games\\UT");
    EXPECT_EQ(locator->localPath("C:\\Games\\UT\\System"), game.systemFolder);
    test::writeFakePrefix(path("home/.wine"), "C:\\Home");
    ASSERT_EQ(setenv("HOME", path("home").c_str(), 1), 0);
    EXPECT_EQ(makeSystemGameLocator()->gameFolder(), "C:\\Home");
}

} // namespace
} // namespace velmora::platform::wine
