// The built velmora-ini program, driven through its standard input and output.

#include "platform/fileio.h"
#include "support/fakeprefix.h"
#include "support/files.h"

#include <cstdio>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::tools {
namespace {

using test::inFolder;
using test::TemporaryFolder;
using test::writeFile;

// The program in batch mode with pipes on both ends, its Wine prefix at `prefix`.
class BatchProgram {
public:
    BatchProgram(const std::string& home, const std::string& prefix)
    {
        int toChild[2];
        int fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) {
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(toChild[0], STDIN_FILENO);
            ::dup2(fromChild[1], STDOUT_FILENO);
            ::close(toChild[1]);
            ::close(fromChild[0]);
            ::setenv("HOME", home.c_str(), 1);
            ::setenv("WINEPREFIX", prefix.c_str(), 1);
            ::execl(VELMORA_INI_PROGRAM, VELMORA_INI_PROGRAM, "batch", nullptr);
            ::_exit(127);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        m_in = toChild[1];
        m_out = fromChild[0];
    }
    ~BatchProgram()
    {
        closeInput();
        if (m_out >= 0) {
            ::close(m_out);
        }
    }
    BatchProgram(const BatchProgram&) = delete;
    BatchProgram& operator=(const BatchProgram&) = delete;

    // Sends one command and waits for its answer while the input stays open, which holds
    // only when every answer is flushed at once. The wait is bounded so that a program that
    // keeps its answer back fails the test instead of hanging it.
    std::string ask(const std::string& command)
    {
        const std::string text = command + "\n";
        if (::write(m_in, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            return "<write failed>";
        }
        std::string answer;
        char c = 0;
        pollfd ready{m_out, POLLIN, 0};
        while (::poll(&ready, 1, 20000) == 1 && ::read(m_out, &c, 1) == 1 && c != '\n') {
            answer.push_back(c);
        }
        return c == '\n' ? answer : "<no answer: " + answer + ">";
    }

    int finish()
    {
        closeInput();
        int status = -1;
        ::waitpid(m_pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    void closeInput()
    {
        if (m_in >= 0) {
            ::close(m_in);
            m_in = -1;
        }
    }

    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
};

TEST(VelmoraIniProgram, BatchAnswersEachCommandAtOnce)
{
    TemporaryFolder dir;
    const std::string file = inFolder(dir.path(), "UnrealTournament.ini");
    writeFile(file, "[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\n");
    BatchProgram program(dir.path(), inFolder(dir.path(), "no-prefix"));

    EXPECT_EQ(program.ask("set\t" + file + "\tWinDrv.WindowsClient\tDecals\tFalse"), "ret\t1");
    EXPECT_EQ(program.ask("get\t" + file + "\twindrv.windowsclient\tDECALS\tDefault\t255"),
              "ret\t5\tFalse");
    EXPECT_EQ(program.ask("set\t" + file + "\tEngine.Engine\tGame\\x3DRenderDevice\tx"),
              "ret\t0\tThe key name may not contain '='.");
    EXPECT_EQ(program.ask("frobnicate"), "err\tunknown command: frobnicate");
    EXPECT_EQ(program.ask("cat\t" + file),
              "file\t[Engine.Engine]\\r\\nGameRenderDevice=D3DDrv.D3DRenderDevice\\r\\n"
              "[WinDrv.WindowsClient]\\r\\nDecals=False\\r\\n");
    EXPECT_EQ(program.ask("cat\t" + inFolder(dir.path(), "missing.ini")), "file\tMISSING");
    EXPECT_EQ(program.ask("get\t--game\tEngine.Engine\tGameRenderDevice\tDefault\t255"),
              "err\tUnable to get tournament folder data from registry");
    EXPECT_EQ(program.finish(), 0);
}

TEST(VelmoraIniProgram, GameFileFoundThroughWinePrefix)
{
    TemporaryFolder dir;
    const test::FakePrefix prefix = test::writeFakePrefix(inFolder(dir.path(), "wine"), "C:\\UT");
    writeFile(inFolder(prefix.systemFolder, "UnrealTournament.ini"), "[Engine.Engine]\r\n");
    BatchProgram program(dir.path(), prefix.root);
    EXPECT_EQ(
        program.ask("set\t--game\tEngine.Engine\tGameRenderDevice\tSoftDrv.SoftwareRenderDevice"),
        "ret\t1");
    EXPECT_EQ(program.ask("cat\t--game"),
              "file\t[Engine.Engine]\\r\\nGameRenderDevice=SoftDrv.SoftwareRenderDevice\\r\\n");
    EXPECT_EQ(program.finish(), 0);
}

std::string run(const std::string& arguments, int& status)
{
    std::string output;
    FILE* pipe =
        ::popen((std::string(VELMORA_INI_PROGRAM) + " " + arguments + " 2>&1").c_str(), "r");
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int raw = pipe != nullptr ? ::pclose(pipe) : -1;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

TEST(VelmoraIniProgram, CommandLineGetAndSet)
{
    TemporaryFolder dir;
    const std::string file = inFolder(dir.path(), "game.ini");
    int status = -1;
    EXPECT_EQ(run("set '" + file + "' s k 'two words'", status), "");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(run("get '" + file + "' S K", status), "two words\n");
    EXPECT_EQ(run("get '" + file + "' s missing", status), "\n");
    EXPECT_EQ(run("get '" + file + "' s missing 'Default  '", status), "Default\n");
    EXPECT_EQ(run("set '" + file + "' s ';k' v", status),
              "velmora-ini: The key name may not start with ';' or '['.\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(platform::readWholeFile(file), "[s]\r\nk=two words\r\n");
    run("get", status);
    EXPECT_EQ(status, 2);
}

} // namespace
} // namespace velmora::tools
