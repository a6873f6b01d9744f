// velmora-ini: command lines, their escapes in and out, by the rules in tests/data/velmora-ini.tsv,
// then the built program itself.

#include "inicommand.h"
#include "platform/fileio.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::tools {
namespace {

VELMORA_RULES(Answer, MatchesTheFile, "velmora-ini.tsv", "answer", 5)
{
    const test::TableRow& row = GetParam();
    const test::FolderFile game("game.ini", row[1].empty() ? "(absent)" : row[1]);
    std::string line = row[2];
    for (auto at = line.find("DIR"); at != std::string::npos; at = line.find("DIR", at))
        line.replace(at, 3, game.folder.path());
    std::istringstream in(line + "\n");
    std::ostringstream out;
    runBatch(in, out, [&] { return row[1].empty() ? std::nullopt : std::optional(game.path); });
    EXPECT_EQ(out.str(), row[3] + "\n");
    EXPECT_EQ(row[4].empty() ? "" : platform::readWholeFile(game.path).value_or("?"), row[4]);
}

// Runs the built program in batch mode with the Wine prefix `prefix`, its input a FIFO in
// `folder`, sending each command only once the answer to the one before has come: a program that
// holds its answers back until its input ends gets no further. The last answer is the exit status.
std::vector<std::string> askInTurn(const std::vector<std::string>& commands,
                                   const std::string& prefix, const std::string& folder)
{
    const std::string fifo = folder + "/commands";
    if (::mkfifo(fifo.c_str(), 0600) != 0)
        return {};
    FILE* answers = ::popen(
        ("WINEPREFIX='" + prefix + "' " VELMORA_INI_PROGRAM " batch <'" + fifo + "'").c_str(), "r");
    const int in = ::open(fifo.c_str(), O_WRONLY);
    std::vector<std::string> result;
    char answer[1024];
    for (pollfd ready{::fileno(answers), POLLIN, 0}; const std::string& command : commands) {
        if (::write(in, (command + "\n").data(), command.size() + 1) < 0 ||
            ::poll(&ready, 1, 20000) != 1 || std::fgets(answer, sizeof answer, answers) == nullptr)
            break;
        result.emplace_back(answer).pop_back();
    }
    ::close(in);
    const int status = ::pclose(answers);
    result.push_back("exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1));
    return result;
}

TEST(VelmoraIniProgram, AnswersEachBatchCommandAtOnceThenGetsAndSetsOnTheCommandLine)
{
    const test::TemporaryFolder dir;
    const auto prefix = test::writeFakePrefix(dir.file("wine"), "C:\\UT");
    const std::string file = prefix.systemFolder + "/UnrealTournament.ini";
    test::writeFile(file, "[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\n");
    std::vector<std::string> commands, expected;
    for (test::TableRow& row : test::readTable(VELMORA_TESTDATA "/velmora-ini.tsv", "batch", 3)) {
        commands.push_back(row[1]);
        expected.push_back(row[2]);
    }
    expected.push_back("exit 0");
    EXPECT_EQ(askInTurn(commands, prefix.root, dir.path()), expected);

    // Output and exit status of the program run with `arguments`.
    const auto run = [&](const std::string& arguments) {
        const int status = std::system(
            (std::string(VELMORA_INI_PROGRAM) + " " + arguments + " >" + dir.file("out") + " 2>&1")
                .c_str());
        return test::readFile(dir.file("out")) + "exit " +
               std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    };
    EXPECT_EQ(run("set " + file + " s k 'two words'"), "exit 0");
    EXPECT_EQ(run("get " + file + " S K"), "two words\nexit 0");
    EXPECT_TRUE(run("get").ends_with("exit 2"));
}

} // namespace
} // namespace velmora::tools
