#include "platform/wineprefix.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform::wine {
namespace {

namespace fs = std::filesystem;
using test::RegistryView;

void writeText(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

struct VdfRow {
    const char* name;
    std::string_view text;
    std::vector<std::string> expected;
};

const VdfRow kVdfRows[] = {
    {.name = "current_layout",
     .text = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/j/.local/share/Steam\"\n"
             "\t\t\"apps\"\n\t\t{\n\t\t\t\"13240\"\t\t\"123\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n"
             "\t\t\"PATH\"\t\t\"/mnt/games/SteamLibrary\"\n\t}\n}\n",
     .expected = {"/home/j/.local/share/Steam", "/mnt/games/SteamLibrary"}},
    {.name = "older_layout_numbered_entries",
     .text = "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1600000000\"\n"
             "\t\"1\"\t\t\"/mnt/games/SteamLibrary\"\n}\n",
     .expected = {"/mnt/games/SteamLibrary"}},
    {.name = "escapes_and_comments",
     .text = "// written by Steam\n\"libraryfolders\" { \"0\" { \"path\" \"/mnt/a \\\"b\\\"\" } }",
     .expected = {"/mnt/a \"b\""}},
};

class SteamLibraryFile : public testing::TestWithParam<VdfRow> {};

TEST_P(SteamLibraryFile, ListsTheLibraries)
{
    EXPECT_EQ(steamLibrariesFromVdf(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Prefix, SteamLibraryFile, testing::ValuesIn(kVdfRows), test::RowName());

// A home folder in a temporary folder, with Steam libraries made on demand.
class PrefixChoice : public testing::Test {
protected:
    fs::path home() const { return fs::path(m_temp.path()) / "home"; }
    std::string pfx(const fs::path& library) const
    {
        return (library / "steamapps/compatdata/13240/pfx").string();
    }
    std::vector<std::string> choose(std::optional<std::string_view> winePrefix) const
    {
        return candidatePrefixes(winePrefix, home().string());
    }

    test::TemporaryFolder m_temp;
};

TEST_F(PrefixChoice, WinePrefixIsTheOnlyOne)
{
    fs::create_directories(home() / ".local/share/Steam");
    EXPECT_EQ(choose("/opt/prefixes/ut//"), std::vector<std::string>{"/opt/prefixes/ut"});
}

TEST_F(PrefixChoice, EmptyWinePrefixCountsAsUnset)
{
    EXPECT_EQ(choose(""), std::vector<std::string>{(home() / ".wine").string()});
    EXPECT_EQ(choose(std::nullopt), std::vector<std::string>{(home() / ".wine").string()});
}

TEST_F(PrefixChoice, ProtonPrefixesOfEveryLibraryFollowDotWine)
{
    const fs::path steam = home() / ".local/share/Steam";
    const fs::path second = fs::path(m_temp.path()) / "games/SteamLibrary";
    fs::create_directories(second);
    writeText(steam / "steamapps/libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\"0\"\n{\n\"path\" \"" + steam.string() +
                  "\"\n}\n\"1\"\n{\n\"path\" \"" + second.string() +
                  "\"\n}\n\"2\"\n{\n\"path\" \"/nonexistent/library\"\n}\n}\n");
    // The usual link to the same library must not list it twice.
    fs::create_directories(home() / ".steam");
    fs::create_directory_symlink(steam, home() / ".steam/steam");

    EXPECT_EQ(choose(std::nullopt),
              (std::vector<std::string>{(home() / ".wine").string(), pfx(home() / ".steam/steam"),
                                        pfx(second)}));
}

TEST_F(PrefixChoice, NoHomeGivesNoPrefix)
{
    EXPECT_TRUE(candidatePrefixes({}, "").empty());
}

// A prefix with the game under C:\Games\UnrealTournament and a few other folders.
class PathMapping : public testing::Test {
protected:
    void SetUp() override
    {
        m_prefix = test::writeFakePrefix(m_temp.path() + "/pfx", "C:\\Games\\UnrealTournament");
        std::ofstream(m_prefix.systemFolder + "/UnrealTournament.ini") << "[Engine.Engine]\n";
        fs::create_directories(m_prefix.driveC + "/Jeux/\xC3\x89"
                                                 "dition");
        fs::create_directories(m_temp.path() + "/cdrom");
        fs::create_directory_symlink(m_temp.path() + "/cdrom", m_prefix.root + "/dosdevices/d:");
    }
    std::string map(std::string_view windowsPath) const
    {
        return unixPathInPrefix(m_prefix.root, windowsPath);
    }

    test::TemporaryFolder m_temp;
    test::FakePrefix m_prefix;
};

TEST_F(PathMapping, FollowsDriveLinksAndIgnoresCase)
{
    const std::string ini = m_prefix.systemFolder + "/UnrealTournament.ini";
    EXPECT_EQ(map("C:\\Games\\UnrealTournament\\System\\UnrealTournament.ini"), ini);
    EXPECT_EQ(map("c:\\GAMES\\unrealtournament\\system\\UNREALTOURNAMENT.INI"), ini);
    EXPECT_EQ(map("C:\\Games\\UnrealTournament\\\\System\\UnrealTournament.ini"), ini);
    EXPECT_EQ(map("C:\\Games\\..\\Games\\.\\UnrealTournament\\System\\UnrealTournament.ini"), ini);
    EXPECT_EQ(
        map("Z:" + m_prefix.driveC + "\\GAMES\\UnrealTournament\\System\\UnrealTournament.ini"),
        ini);
    EXPECT_EQ(map(m_prefix.driveC + "/games/unrealtournament\\System\\UnrealTournament.ini"), ini);
    EXPECT_EQ(map("C:\\JEUX\\\xC3\xA9"
                  "DITION"),
              m_prefix.driveC + "/Jeux/\xC3\x89"
                                "dition");
    EXPECT_EQ(map("D:\\Setup.exe"), m_temp.path() + "/cdrom/Setup.exe");
    // What does not exist yet keeps the given name, so a first write can create it.
    EXPECT_EQ(map("C:\\games\\UnrealTournament\\SYSTEM\\New.ini"),
              m_prefix.systemFolder + "/New.ini");
}

TEST_F(PathMapping, GivesEmptyTextForWhatCannotBeMapped)
{
    EXPECT_EQ(map("E:\\UT\\System\\UnrealTournament.ini"), "");
    EXPECT_EQ(map("Games\\UT\\System\\UnrealTournament.ini"), "");
    EXPECT_EQ(map("\\\\server\\share\\UT"), "");
    EXPECT_EQ(map(""), "");
}

// The locator over prefixes written into a temporary folder.
class WineLocator : public testing::Test {
protected:
    std::string path(std::string_view name) const
    {
        return m_temp.path() + "/" + std::string(name);
    }

    test::TemporaryFolder m_temp;
};

TEST_F(WineLocator, FirstPrefixWithTheKeyAnswersAndMapsPaths)
{
    test::writeFakePrefix(path("empty"), "");
    const auto game = test::writeFakePrefix(path("proton"), "C:\\UT\\", RegistryView::Wow6432Node);
    const WineGameLocator locator({path("missing"), path("empty"), path("proton")});

    // localPath() searches by itself when the folder was not asked for first.
    EXPECT_EQ(locator.localPath("c:\\ut\\\\system\\UnrealTournament.ini"),
              game.systemFolder + "/UnrealTournament.ini");
    EXPECT_EQ(locator.answeringPrefix(), path("proton"));
    EXPECT_EQ(locator.gameFolder(), "C:\\UT\\");
}

TEST_F(WineLocator, FolderIsCp1252AndStillFoundOnDisk)
{
    const auto latin = test::writeFakePrefix(path("latin"), "C:\\Jeux\\\xC3\x89"
                                                            "dition");
    const WineGameLocator latinLocator({path("latin")});
    EXPECT_EQ(latinLocator.gameFolder(), "C:\\Jeux\\\xC9"
                                         "dition");
    EXPECT_EQ(latinLocator.localPath("C:\\Jeux\\\xC9"
                                     "dition\\System"),
              latin.systemFolder);

    const auto cyrillic =
        test::writeFakePrefix(path("cyrillic"), "C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B");
    const WineGameLocator cyrillicLocator({path("cyrillic")});
    EXPECT_EQ(cyrillicLocator.gameFolder(), "C:\\????");
    EXPECT_EQ(cyrillicLocator.localPath("C:\\????\\System"), cyrillic.systemFolder);
}

TEST_F(WineLocator, UnixFolderIsUsedAsItIs)
{
    fs::create_directories(path("ut/System"));
    test::writeFakePrefix(path("wine"), path("ut"));
    const WineGameLocator locator({path("wine")});
    EXPECT_EQ(locator.gameFolder(), path("ut"));
    EXPECT_EQ(locator.localPath(path("ut") + "\\system\\UnrealTournament.ini"),
              path("ut/System/UnrealTournament.ini"));
}

TEST_F(WineLocator, NoAnswerGivesEmptyFolderAndNoPath)
{
    test::writeFakePrefix(path("empty"), "");
    const WineGameLocator locator({path("empty"), path("missing")});
    EXPECT_EQ(locator.gameFolder(), "");
    EXPECT_EQ(locator.answeringPrefix(), "");
    EXPECT_EQ(locator.localPath("C:\\UT\\System\\UnrealTournament.ini"), "");
}

// The system locator reads the environment; each test runs in its own process.
TEST_F(WineLocator, SystemLocatorUsesWinePrefixFromTheEnvironment)
{
    const auto game = test::writeFakePrefix(path("env"), "C:\\Games\\UT");
    ASSERT_EQ(setenv("WINEPREFIX", path("env").c_str(), 1), 0);
    const auto locator = makeSystemGameLocator();
    unsetenv("WINEPREFIX");
    EXPECT_EQ(locator->gameFolder(), "C:\\Games\\UT");
    EXPECT_EQ(locator->localPath("C:\\Games\\UT\\System"), game.systemFolder);
}

} // namespace
} // namespace velmora::platform::wine
