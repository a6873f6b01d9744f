// velmora-ini: escapes, command lines and their answers, then the built program itself.

#include "inicommand.h"
#include "platform/fileio.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cstdio>
#include <poll.h>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::tools {
namespace {

using test::PrintTo;

using namespace std::string_view_literals;

struct EscapeRow {
    const char* name;
    std::string_view bytes, escaped;
};

const EscapeRow kEscapeRows[] = {
    {"plain_text_kept", "Engine.Engine", "Engine.Engine"},
    {"tab", "a\tb", "a\\tb"},
    {"line_breaks", "a\r\n", "a\\r\\n"},
    {"backslash", "C:\\Games\\UT", "C:\\\\Games\\\\UT"},
    {"nul_as_hex", "a\0b"sv, "a\\x00b"},
    {"high_byte_as_hex", "caf\xE9", "caf\\xE9"},
    {"delete_as_hex", "\x7F", "\\x7F"},
};

class Escape : public testing::TestWithParam<EscapeRow> {};

TEST_P(Escape, RoundTrips)
{
    EXPECT_EQ(escapeField(GetParam().bytes), GetParam().escaped);
    EXPECT_EQ(unescapeField(GetParam().escaped), std::string(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Fields, Escape, testing::ValuesIn(kEscapeRows), test::RowName());

TEST(Unescape, AcceptsLowerCaseHexAndRejectsUnknownEscapes)
{
    EXPECT_EQ(unescapeField("\\xe9\\x41"), "\xE9"
                                           "A");
    for (const char* bad : {"\\q", "end\\", "\\x4", "\\xZZ", "\\x"})
        EXPECT_EQ(unescapeField(bad), std::nullopt) << bad;
}

// Answers to whole command lines; DIR in a line stands for a fresh folder, whose game.ini holds
// `before` unless it is empty, and `after` once the line is answered unless that is empty.
struct AnswerRow {
    const char* name;
    std::string_view before, line, answer, after;
};

constexpr auto kGame = "[s]\r\nk=v\r\n"sv;

// clang-format off
const AnswerRow kAnswerRows[] = {
    {"get_value", kGame, "get\tDIR/game.ini\ts\tk\tDefault\t255", "ret\t1\tv", kGame},
    {"get_count_is_what_the_buffer_receives", "[s]\r\nk=value\r\n", "get\tDIR/game.ini\ts\tk\t\t3", "ret\t2\tva", ""},
    {"get_value_escaped", "[s]\r\nk=a\\b\t\xE9\r\n", "get\tDIR/game.ini\ts\tk\t\t255", "ret\t5\ta\\\\b\\t\\xE9", ""},
    {"set_value", kGame, "set\tDIR/game.ini\ts\tk\tw", "ret\t1", "[s]\r\nk=w\r\n"},
    {"set_hex_escape_decoded", kGame, "set\tDIR/game.ini\tt\tj\\x3Dx\tC:\\\\UT", "ret\t0\tThe key name may not contain '='.", kGame},
    {"set_into_missing_folder_fails", "", "set\tDIR/nodir/game.ini\ts\tk\tv", "ret\t0\tNo such file or directory", ""},
    {"cat_file", kGame, "cat\tDIR/game.ini", "file\t[s]\\r\\nk=v\\r\\n", ""},
    {"cat_missing_file", "", "cat\tDIR/none.ini", "file\tMISSING", ""},
    {"cat_folder_is_an_error", "", "cat\tDIR", "err\tIs a directory", ""},
    {"empty_line", "", "", "err\tempty command", ""},
    {"unknown_command", "", "del\tDIR/game.ini", "err\tunknown command: del", ""},
    {"too_few_fields", kGame, "get\tDIR/game.ini\ts\tk\tDefault", "err\twrong number of fields for get", ""},
    {"too_many_fields", kGame, "set\tDIR/game.ini\ts\tk\tv\tw", "err\twrong number of fields for set", kGame},
    {"negative_buffer_size", "", "get\tDIR/game.ini\ts\tk\td\t-1", "err\tbuffer size is not a decimal number: -1", ""},
    {"bad_escape", kGame, "set\tDIR/game.ini\ts\tk\t\\q", "err\tbad escape in field 5", kGame},
    {"game_file_found", kGame, "get\t--game\ts\tk\tDefault\t255", "ret\t1\tv", ""},
};
// clang-format on

class Answer : public testing::TestWithParam<AnswerRow> {
protected:
    test::TemporaryFolder m_dir;
};

TEST_P(Answer, MatchesTheFile)
{
    const AnswerRow& c = GetParam();
    const std::string file = m_dir.file("game.ini");
    if (!c.before.empty())
        test::writeFile(file, c.before);
    std::string line(c.line);
    for (auto at = line.find("DIR"); at != std::string::npos; at = line.find("DIR", at))
        line.replace(at, 3, m_dir.path());
    EXPECT_EQ(answer(parseCommand(line), [&] { return std::optional<std::string>(file); }),
              c.answer);
    EXPECT_EQ(c.after.empty() ? "" : platform::readWholeFile(file).value_or("?"), c.after);
}

INSTANTIATE_TEST_SUITE_P(Lines, Answer, testing::ValuesIn(kAnswerRows), test::RowName());

TEST(Batch, AnswersEveryLineAndGoesOnAfterErrors)
{
    std::istringstream in("cat\t--game\r\nnonsense\nget\t--game\ts\tk\tDefault\t255\n");
    std::ostringstream out;
    runBatch(in, out, [] { return std::optional<std::string>(); });
    EXPECT_EQ(out.str(), "err\tUnable to get tournament folder data from registry\n"
                         "err\tunknown command: nonsense\n"
                         "err\tUnable to get tournament folder data from registry\n");
}

// Runs the built program in batch mode with the Wine prefix `prefix`, sending each command only
// once the answer to the one before has come: a program that holds its answers back until its
// input ends gets no further. The last entry is the exit status.
std::vector<std::string> askInTurn(const std::vector<std::string>& commands,
                                   const std::string& prefix)
{
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(toChild[0], STDIN_FILENO);
        ::dup2(fromChild[1], STDOUT_FILENO);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        ::setenv("WINEPREFIX", prefix.c_str(), 1);
        ::execl(VELMORA_INI_PROGRAM, VELMORA_INI_PROGRAM, "batch", nullptr);
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    FILE* answers = ::fdopen(fromChild[0], "r");
    std::vector<std::string> result;
    char answer[1024];
    for (const std::string& command : commands) {
        const std::string line = command + "\n";
        pollfd ready{fromChild[0], POLLIN, 0};
        if (::write(toChild[1], line.data(), line.size()) < 0 || ::poll(&ready, 1, 20000) != 1 ||
            std::fgets(answer, sizeof answer, answers) == nullptr)
            break;
        result.emplace_back(answer);
    }
    ::close(toChild[1]);
    std::fclose(answers);
    int status = -1;
    ::waitpid(child, &status, 0);
    result.push_back("exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1));
    return result;
}

TEST(VelmoraIniProgram, BatchAnswersEachCommandAtOnceAndFindsTheGameThroughWine)
{
    const test::TemporaryFolder dir;
    const auto prefix = test::writeFakePrefix(dir.file("wine"), "C:\\UT");
    const std::string file = prefix.systemFolder + "/UnrealTournament.ini";
    test::writeFile(file, "[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\n");
    const std::vector<std::string> expected = {
        "ret\t1\n",
        "ret\t5\tFalse\n",
        "ret\t0\tThe key name may not contain '='.\n",
        "err\tunknown command: frobnicate\n",
        "file\t[Engine.Engine]\\r\\nGameRenderDevice=D3DDrv.D3DRenderDevice\\r\\n"
        "[WinDrv.WindowsClient]\\r\\nDecals=False\\r\\n\n",
        "file\tMISSING\n",
        "exit 0"};
    EXPECT_EQ(askInTurn({"set\t--game\tWinDrv.WindowsClient\tDecals\tFalse",
                         "get\t" + file + "\twindrv.windowsclient\tDECALS\tDefault\t255",
                         "set\t" + file + "\tEngine.Engine\tGame\\x3DRenderDevice\tx", "frobnicate",
                         "cat\t--game", "cat\t" + dir.file("missing.ini")},
                        prefix.root),
              expected);
}

// Output and exit status of the program run with `arguments`.
std::string run(const std::string& arguments)
{
    std::string output;
    FILE* pipe =
        ::popen((std::string(VELMORA_INI_PROGRAM) + " " + arguments + " 2>&1").c_str(), "r");
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    const int status = pipe != nullptr ? ::pclose(pipe) : -1;
    return output + "exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

TEST(VelmoraIniProgram, CommandLineGetAndSet)
{
    const test::TemporaryFolder dir;
    const std::string file = "'" + dir.file("game.ini") + "'";
    EXPECT_EQ(run("set " + file + " s k 'two words'"), "exit 0");
    EXPECT_EQ(run("get " + file + " S K"), "two words\nexit 0");
    EXPECT_EQ(run("get " + file + " s missing 'Default  '"), "Default\nexit 0");
    EXPECT_EQ(platform::readWholeFile(dir.file("game.ini")), "[s]\r\nk=two words\r\n");
    EXPECT_TRUE(run("get").ends_with("exit 2"));
}

} // namespace
} // namespace velmora::tools
