// The platform layer's rules on Linux: code page 1252 and Unicode and the machine's memory, by
// the rules in tests/data/system-rules.tsv, the Wine registry reader, by those in
// tests/data/registry-rules.tsv, and finding the game under Wine.

#include "platform/codepage.h"
#include "platform/dosdevices.h"
#include "platform/gamelocator_posix.h"
#include "platform/memory.h"
#include "platform/registry_text.h"
#include "platform/steamvdf.h"
#include "platform/wineprefixes.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The platform's own names are found from the Wine layer's namespace.
namespace velmora::platform::wine {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

VELMORA_RULES(CodePage1252, RoundTripsThroughUnicode, "system-rules.tsv", "cp1252", 3)
{
    const test::TableRow& row = GetParam();
    EXPECT_EQ(utf8FromCp1252(row[1]), row[2]);
    EXPECT_EQ(cp1252FromUtf16(utf16FromUtf8(row[2])), row[1]);
    EXPECT_EQ(utf16FromCp1252(row[1]), utf16FromUtf8(row[2]));
}

TEST(Unicode, Utf8EdgesAndLettersFoldedAsWineFoldsThem)
{
    EXPECT_EQ(utf16FromUtf8("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(utf8FromUtf16(u"\U00010000\U0010FFFF"), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(foldCase("\xC3\x89\xC4\x80\xD0\x81\xC5\xB8"), "\xC3\xA9\xC4\x81\xD1\x91\xC3\xBF");
}

VELMORA_RULES(Meminfo, GivesTotalBytes, "system-rules.tsv", "meminfo", 3)
{
    EXPECT_EQ(memTotalFromMeminfo(GetParam()[1]), std::stoull(GetParam()[2]));
}

// A 32-bit kernel counts 32 GB as 8 Mi pages of 4 KiB: the product needs 64 bits.
TEST(Memory, SysinfoProductIsNotTruncatedAndThisMachineHasMemory)
{
    EXPECT_EQ(sysinfoTotalBytes(8388608, 4096), 34359738368ull);
    EXPECT_EQ(sysinfoTotalBytes(UINT64_MAX / 2, 4), UINT64_MAX);
    EXPECT_GT(totalPhysicalMemory(), 0u);
}

// clang-format off
const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
const std::string kKey = "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1720000000 0\n#time=1dacd2de7618000\n";
// clang-format on

// Value lines under the game's key, and the text the game's ANSI call gets.
VELMORA_RULES(RegistryValueRule, GivesTheTextTheGameSees, "registry-rules.tsv", "value", 3)
{
    const auto hive = RegistryHive::parse(kHead + kKey + GetParam()[1] + "\n");
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(ReadRegistryString(*hive, kGameRegistryKey, kGameRegistryValue), GetParam()[2]);
}

// Whole system.reg texts and the game folder found in them.
VELMORA_RULES(RegistryFile, GivesTheGameFolder, "registry-rules.tsv", "file", 3)
{
    EXPECT_EQ(wine::gameFolderFromSystemReg(GetParam()[1]).folder, GetParam()[2]);
}

// Finding the game under Wine: Steam libraries, prefixes, drive mapping and the locator.
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
// WINEPREFIX, which wins over the home folder, is set by the velmora-ini tests for their game
// lookup.
TEST_F(Prefixes, SystemLocatorUsesTheHomeFolderWithoutWinePrefix)
{
    test::writeFakePrefix(path("home/.wine"), "C:\\Home");
    ASSERT_EQ(setenv("HOME", path("home").c_str(), 1), 0);
    unsetenv("WINEPREFIX");
    EXPECT_EQ(makeSystemGameLocator()->gameFolder(), "C:\\Home");
}

} // namespace
} // namespace velmora::platform::wine
