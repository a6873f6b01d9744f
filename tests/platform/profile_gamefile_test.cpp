// Every key Velmora manages, written into every real game file: the key reads back, every
// other byte and every other managed key stay as they were, and the file's line ending is
// kept.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/files.h"

#include <cctype>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::inFolder;
using test::TemporaryFolder;
using test::writeFile;

constexpr std::string_view kWritten = "Velmora7";

const char* const kGameFiles[] = {
    "stock-436-server-package-default.ini", "client-451-windows-d3d.ini",
    "client-469d-windows-xopengl.ini",      "linux-sdl-opengl.ini",
    "dedicated-server-436-newnet-ace.ini",
};

struct ManagedKey {
    std::string_view section; // empty: the render device's own section
    std::string_view key;
};

const ManagedKey kManagedKeys[] = {
    {"WinDrv.WindowsClient", "FullscreenColorbits"},
    {"WinDrv.WindowsClient", "CurvedSurfaces"},
    {"WinDrv.WindowsClient", "LowDetailTextures"},
    {"WinDrv.WindowsClient", "SlowVideoBuffering"},
    {"WinDrv.WindowsClient", "Decals"},
    {"WinDrv.WindowsClient", "NoDynamicLights"},
    {"WinDrv.WindowsClient", "SkinDetail"},
    {"WinDrv.WindowsClient", "TextureDetail"},
    {"WinDrv.WindowsClient", "NoLighting"},
    {"WinDrv.WindowsClient", "MinDesiredFrameRate"},
    {"WinDrv.WindowsClient", "ScreenFlashes"},
    {"WinDrv.WindowsClient", "NoFractalAnim"},
    {"WinDrv.WindowsClient", "ParticleDensity"},
    {"", "Coronas"},
    {"Engine.Engine", "GameRenderDevice"},
    {"Engine.GameEngine", "CacheSizeMegs"},
    {"WinDrv.WindowsClient", "FullscreenViewportX"},
    {"WinDrv.WindowsClient", "FullscreenViewportY"},
};

// Lines with their endings, split independently of the engine.
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t lf = text.find('\n', begin);
        const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}

struct LineChange {
    std::vector<std::string> removed;
    std::vector<std::string> added;
};

// The lines between the longest common head and tail of the two files.
LineChange changedLines(const std::vector<std::string>& before,
                        const std::vector<std::string>& after)
{
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    const auto slice = [&](const std::vector<std::string>& lines) {
        return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(head),
                                        lines.end() - static_cast<std::ptrdiff_t>(tail));
    };
    return {slice(before), slice(after)};
}

class GameFileWrite : public testing::TestWithParam<std::tuple<const char*, ManagedKey>> {
protected:
    static std::string sectionOf(const std::string& file, const ManagedKey& k)
    {
        if (!k.section.empty()) {
            return std::string(k.section);
        }
        return getProfileString(file, "Engine.Engine", "GameRenderDevice", "Default", 255);
    }

    TemporaryFolder m_dir;
};

TEST_P(GameFileWrite, ChangesOnlyTheKey)
{
    const auto& [name, managed] = GetParam();
    const std::string original = std::string(VELMORA_TESTDATA) + "/ut-ini/" + name;
    const std::string before = readWholeFile(original).value_or("");
    ASSERT_FALSE(before.empty()) << original;
    const std::string file = inFolder(m_dir.path(), "UnrealTournament.ini");
    writeFile(file, before);
    const std::string section = sectionOf(original, managed);
    const std::string oldValue = getProfileString(file, section, managed.key, "Default", 255);

    const WriteOutcome outcome = writeProfileString(file, section, managed.key, kWritten);
    ASSERT_EQ(outcome.status, WriteStatus::Written) << outcome.reason;
    EXPECT_EQ(getProfileString(file, section, managed.key, "Default", 255), kWritten);
    for (const ManagedKey& other : kManagedKeys) {
        if (other.key != managed.key) {
            const std::string otherSection = sectionOf(original, other);
            EXPECT_EQ(getProfileString(file, otherSection, other.key, "Default", 255),
                      getProfileString(original, otherSection, other.key, "Default", 255))
                << other.key;
        }
    }

    const std::string after = readWholeFile(file).value_or("");
    const std::string ending = before.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string keyLine = std::string(managed.key) + "=" + std::string(kWritten) + ending;
    const LineChange change = changedLines(splitLines(before), splitLines(after));
    if (oldValue == "Default") {
        EXPECT_TRUE(change.removed.empty());
        const std::vector<std::string> newKey{keyLine};
        const std::vector<std::string> newSection{"[" + section + "]" + ending, keyLine};
        EXPECT_TRUE(change.added == newKey || change.added == newSection) << after;
    } else {
        ASSERT_EQ(change.removed.size(), 1u);
        const std::string& old = change.removed[0];
        const std::vector<std::string> replaced{old.substr(0, old.find('=') + 1) +
                                                std::string(kWritten) + ending};
        EXPECT_EQ(change.added, replaced);
    }
    EXPECT_EQ(writeProfileString(file, section, managed.key, kWritten).status,
              WriteStatus::Unchanged);
}

std::string caseName(const testing::TestParamInfo<std::tuple<const char*, ManagedKey>>& info)
{
    std::string name =
        std::string(std::get<0>(info.param)) + "_" + std::string(std::get<1>(info.param).key);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(GameFiles, GameFileWrite,
                         testing::Combine(testing::ValuesIn(kGameFiles),
                                          testing::ValuesIn(kManagedKeys)),
                         caseName);

} // namespace
} // namespace velmora::platform
