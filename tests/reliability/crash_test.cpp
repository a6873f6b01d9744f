// A child writes one key over and over and is killed with SIGKILL at a random moment, again
// and again. After every kill the game's file must be the old or the new version, byte for
// byte, never a mix or a cut. VELMORA_CRASH_KILLS sets the number of kills (300 by default).

#include "platform/profile.h"
#include "support/fakeprefix.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

constexpr const char* kSection = "WinDrv.WindowsClient";

// Values of changing length, so that the file grows and shrinks between writes.
bool writeValue(const std::string& file, long n)
{
    const std::string value = std::string(static_cast<std::size_t>(n % 5), '0') + std::to_string(n);
    return platform::writeProfileString(file, kSection, "WindowedViewportX", value).ok();
}

TEST(Crash, EveryKillLeavesTheOldOrTheNewFile)
{
    const std::string original = readFile(VELMORA_TESTDATA "/ut-ini/client-451-windows-d3d.ini");
    ASSERT_FALSE(original.empty());
    const TemporaryFolder scratch;
    const std::string file = scratch.file("UnrealTournament.ini");
    // Kills spread over about three whole writes.
    const auto start = steady_clock::now();
    for (int n = 0; n < 20; ++n)
        ASSERT_TRUE(writeValue(file, n));
    const long window = duration_cast<microseconds>(steady_clock::now() - start).count() * 3 / 20;
    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delay(0, window + 1000);
    const char* asked = std::getenv("VELMORA_CRASH_KILLS");
    const int kills = asked != nullptr && std::atoi(asked) > 0 ? std::atoi(asked) : 300;

    writeFile(file, original);
    for (int round = 0; round < kills; ++round) {
        const pid_t child = ::fork();
        for (long n = round * 100000L; child == 0; ++n)
            if (!writeValue(file, n))
                ::_exit(1);
        ASSERT_GT(child, 0);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;

        const std::string bytes = readFile(file);
        const std::string value =
            platform::profileReadText(bytes, kSection, "WindowedViewportX", "", 4096);
        const platform::TextEdit edit =
            platform::profileWriteText(original, kSection, "WindowedViewportX", value);
        ASSERT_EQ(bytes, edit.status == platform::WriteStatus::Written ? edit.contents : original)
            << "round " << round;
    }
    // A writer killed mid-write leaves its temporary file; the next write clears it, also one
    // for another file of the folder (each backup has a name of its own).
    writeFile(scratch.file(".Other.ini.2026.bak.velmora-99999999-1"), "");
    ASSERT_TRUE(writeValue(file, 0));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1)
        << "temporary files of killed writers pile up";
}

} // namespace
} // namespace velmora::test
