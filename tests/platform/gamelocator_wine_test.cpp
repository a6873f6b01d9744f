#include "platform/dosdevices.h"
#include "platform/gamelocator_wine.h"
#include "platform/steamvdf.h"
#include "platform/wineprefixes.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform::wine {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

struct VdfRow {
    const char* name;
    std::string_view text;
    Paths expected;
};

// clang-format off
const VdfRow kVdfRows[] = {
    {"current_layout", "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/j/Steam\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"13240\"\t\t\"123\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"PATH\"\t\t\"/mnt/games/Lib\"\n\t}\n}\n", {"/home/j/Steam", "/mnt/games/Lib"}},
    {"older_layout_numbered_entries", "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1600000000\"\n\t\"1\"\t\t\"/mnt/games/Lib\"\n}\n", {"/mnt/games/Lib"}},
    {"escapes_and_comments", "// written by Steam\n\"libraryfolders\" { \"0\" { \"path\" \"/mnt/a \\\"b\\\"\" } }", {"/mnt/a \"b\""}},
};
// clang-format on

class SteamLibraryFile : public testing::TestWithParam<VdfRow> {};

TEST_P(SteamLibraryFile, ListsTheLibraries)
{
    EXPECT_EQ(steamLibrariesFromVdf(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Prefix, SteamLibraryFile, testing::ValuesIn(kVdfRows), test::RowName());

class Prefixes : public testing::Test {
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
    std::string pfx(const std::string& library) const
    {
        return library + "/steamapps/compatdata/13240/pfx";
    }

    test::TemporaryFolder m_temp;
};

TEST_F(Prefixes, WinePrefixIfSetElseDotWine)
{
    EXPECT_EQ(candidatePrefixes("", path("home")), Paths{path("home/.wine")});
    EXPECT_EQ(candidatePrefixes(std::nullopt, path("home")), Paths{path("home/.wine")});
    fs::create_directories(path("home/.local/share/Steam"));
    EXPECT_EQ(candidatePrefixes("/opt/prefixes/ut//", path("home")), Paths{"/opt/prefixes/ut"});
    EXPECT_TRUE(candidatePrefixes({}, "").empty());
}

TEST_F(Prefixes, ProtonPrefixesOfEveryLibraryFollowDotWineOnce)
{
    const std::string steam = path("home/.local/share/Steam");
    fs::create_directories(path("games/Lib"));
    fs::create_directories(steam + "/steamapps");
    test::writeFile(steam + "/steamapps/libraryfolders.vdf",
                    "\"libraryfolders\" { \"0\" { \"path\" \"" + steam +
                        "\" } \"1\" { \"path\" \"" + path("games/Lib") +
                        "\" } \"2\" { \"path\" \"/nonexistent/lib\" } }");
    fs::create_directories(path("home/.steam"));
    fs::create_directory_symlink(steam, path("home/.steam/steam"));
    EXPECT_EQ(candidatePrefixes(std::nullopt, path("home")),
              (Paths{path("home/.wine"), pfx(path("home/.steam/steam")), pfx(path("games/Lib"))}));
}

struct MappingRow {
    const char* name;
    std::string windows, unix;
};

// clang-format off
const MappingRow kMappingRows[] = {
    {"exact_case", "C:\\Games\\UT\\System\\UnrealTournament.ini", "$C/Games/UT/System/UnrealTournament.ini"},
    {"any_case", "c:\\GAMES\\ut\\system\\UNREALTOURNAMENT.INI", "$C/Games/UT/System/UnrealTournament.ini"},
    {"doubled_backslash", "C:\\Games\\UT\\\\System\\UnrealTournament.ini", "$C/Games/UT/System/UnrealTournament.ini"},
    {"dots_folded", "C:\\Games\\..\\Games\\.\\UT\\System\\UnrealTournament.ini", "$C/Games/UT/System/UnrealTournament.ini"},
    {"z_drive_is_the_root", "Z:$C\\GAMES\\UT\\System\\UnrealTournament.ini", "$C/Games/UT/System/UnrealTournament.ini"},
    {"unix_path_with_backslashes", "$C/games/ut\\System\\UnrealTournament.ini", "$C/Games/UT/System/UnrealTournament.ini"},
    {"accents_match_without_case", "C:\\JEUX\\\xC3\xA9" "DITION", "$C/Jeux/\xC3\x89" "dition"},
    {"other_drive_link_followed", "D:\\Setup.exe", "$T/cdrom/Setup.exe"},
    {"new_file_keeps_given_name", "C:\\games\\UT\\SYSTEM\\New.ini", "$C/Games/UT/System/New.ini"},
    {"drive_without_link", "E:\\UT\\System\\UnrealTournament.ini", ""},
    {"relative_path", "Games\\UT\\System\\UnrealTournament.ini", ""},
    {"network_path", "\\\\server\\share\\UT", ""},
    {"empty_path", "", ""},
};
// clang-format on

class PathMapping : public Prefixes, public testing::WithParamInterface<MappingRow> {
protected:
    test::FakePrefix m_prefix = test::writeFakePrefix(path("pfx"), "C:\\Games\\UT");
};

TEST_P(PathMapping, FollowsDriveLinksAndIgnoresCase)
{
    test::writeFile(m_prefix.systemFolder + "/UnrealTournament.ini", "[Engine.Engine]\n");
    fs::create_directories(m_prefix.driveC + "/Jeux/\xC3\x89"
                                             "dition");
    fs::create_directories(path("cdrom"));
    fs::create_directory_symlink(path("cdrom"), m_prefix.root + "/dosdevices/d:");
    EXPECT_EQ(unixPathInPrefix(m_prefix.root, expand(GetParam().windows, m_prefix.driveC)),
              expand(GetParam().unix, m_prefix.driveC));
}

INSTANTIATE_TEST_SUITE_P(Prefix, PathMapping, testing::ValuesIn(kMappingRows), test::RowName());

// The locator over a missing prefix, one without the game's key, then one whose key holds
// `folder`.
struct LocatorRow {
    const char* name;
    std::string folder;
    test::RegistryView view;
    std::string windows, expectedFolder, local;
};

constexpr auto kWow = test::RegistryView::Wow6432Node;
// clang-format off
const LocatorRow kLocatorRows[] = {
    {"first_prefix_with_the_key_answers", "C:\\UT\\", kWow, "c:\\ut\\\\system\\UnrealTournament.ini", "C:\\UT\\", "$S/UnrealTournament.ini"},
    {"folder_is_cp1252_and_found_on_disk", "C:\\\xC3\x89" "dition", test::RegistryView::Plain, "C:\\\xC9" "dition\\System", "C:\\\xC9" "dition", "$S"},
    {"character_outside_cp1252_reads_as_question_mark", "C:\\\xD0\x98\xD0\xB3\xD1\x80", kWow, "C:\\???\\System", "C:\\???", "$S"},
    {"unix_folder_used_as_it_is", "$T/ut", kWow, "$T/ut\\system\\UnrealTournament.ini", "$T/ut", "$T/ut/System/UnrealTournament.ini"},
    {"no_prefix_answers", "", kWow, "C:\\UT\\System\\UnrealTournament.ini", "", ""},
};
// clang-format on

class Locator : public Prefixes, public testing::WithParamInterface<LocatorRow> {};

TEST_P(Locator, FirstPrefixWithTheKeyAnswersAndMapsPaths)
{
    const LocatorRow& row = GetParam();
    fs::create_directories(path("ut/System"));
    test::writeFakePrefix(path("empty"), "");
    const auto game = test::writeFakePrefix(path("pfx"), expand(row.folder, ""), row.view);
    const WineGameLocator locator({path("missing"), path("empty"), path("pfx")});
    // localPath() searches by itself when the folder was not asked for first.
    EXPECT_EQ(locator.localPath(expand(row.windows, "")), expand(row.local, "", game.systemFolder));
    EXPECT_EQ(locator.gameFolder(), expand(row.expectedFolder, ""));
    EXPECT_EQ(locator.answeringPrefix(), row.expectedFolder.empty() ? "" : path("pfx"));
}

INSTANTIATE_TEST_SUITE_P(Prefix, Locator, testing::ValuesIn(kLocatorRows), test::RowName());

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
