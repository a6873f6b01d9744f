// A child writes one key over and over and is killed with SIGKILL at a random moment, again
// and again. After every kill the game's file must be the old or the new version, byte for
// byte, never a mix or a cut. VELMORA_CRASH_KILLS sets the number of kills (300 by default).

#include "faultkit.h"
#include "platform/profile.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kSection = "WinDrv.WindowsClient";
constexpr const char* kKey = "WindowedViewportX";

int killCount()
{
    const char* text = std::getenv("VELMORA_CRASH_KILLS");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 300;
}

// Values of changing length, so that the file grows and shrinks between writes.
std::string valueFor(long n)
{
    return std::string(static_cast<std::size_t>(n % 5), '0') + std::to_string(n);
}

[[noreturn]] void writeForever(const std::string& file, long first)
{
    for (long n = first;; ++n) {
        if (!platform::writeProfileString(file, kSection, kKey, valueFor(n)).ok()) {
            ::_exit(1);
        }
    }
}

// The file as a write of `value` over the original makes it.
std::string versionWith(const std::string& original, const std::string& value)
{
    const platform::TextEdit edit = platform::profileWriteText(original, kSection, kKey, value);
    return edit.status == platform::WriteStatus::Written ? edit.contents : original;
}

class CrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        original = readFile(VELMORA_TESTDATA "/ut-ini/client-451-windows-d3d.ini");
        ASSERT_FALSE(original.empty());
        file = scratch.file("UnrealTournament.ini");
        writeFile(file, original);
    }

    // The average time of one write, to spread the kills over whole writes.
    Clock::duration timeOneWrite()
    {
        const auto start = Clock::now();
        for (int n = 0; n < 20; ++n) {
            EXPECT_TRUE(platform::writeProfileString(file, kSection, kKey, valueFor(n)).ok());
        }
        writeFile(file, original);
        return (Clock::now() - start) / 20;
    }

    std::size_t leftovers() const
    {
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(scratch.path())) {
            count += entry.path().filename() != "UnrealTournament.ini" ? 1U : 0U;
        }
        return count;
    }

    TemporaryFolder scratch;
    std::string original;
    std::string file;
};

TEST_F(CrashTest, EveryKillLeavesTheOldOrTheNewFile)
{
    const auto window = std::chrono::duration_cast<std::chrono::microseconds>(timeOneWrite()) * 3 +
                        std::chrono::milliseconds(1);
    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delay(0, window.count());
    const int kills = killCount();
    int midWrite = 0;
    std::size_t mostLeftovers = 0;

    for (int round = 0; round < kills; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            writeForever(file, round * 100000L);
        }
        ASSERT_GT(child, 0);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;

        const std::string bytes = readFile(file);
        const std::string value = platform::profileReadText(bytes, kSection, kKey, "", 4096);
        ASSERT_EQ(bytes, versionWith(original, value)) << "round " << round;
        ASSERT_EQ(
            platform::profileReadText(bytes, "WinDrv.WindowsClient", "WindowedViewportY", "", 255),
            platform::profileReadText(original, "WinDrv.WindowsClient", "WindowedViewportY", "",
                                      255));
        const std::size_t left = leftovers();
        midWrite += left > 0 ? 1 : 0;
        mostLeftovers = std::max(mostLeftovers, left);
    }
    // A writer killed mid-write leaves its temporary file; the next write clears it.
    ASSERT_TRUE(platform::writeProfileString(file, kSection, kKey, "0").ok());
    EXPECT_EQ(leftovers(), 0U) << "temporary files of killed writers pile up";
    std::cout << kills << " kills survived, write window " << window.count() << " us; after "
              << midWrite << " kills a temporary file was there, at most " << mostLeftovers
              << " at once\n";
}

} // namespace
} // namespace velmora::test
