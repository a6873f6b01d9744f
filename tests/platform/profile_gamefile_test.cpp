// The real game files in tests/data/ut-ini: known values read back, and every managed key
// written into every file changes that key's line alone and keeps the file's line ending.

#include "config/catalogue.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;

std::string gameFile(std::string_view name)
{
    return std::string(VELMORA_TESTDATA) + "/ut-ini/" + std::string(name);
}

struct RealValue {
    const char* name;
    std::string_view file, section, key, expected;
};

// clang-format off
const RealValue kRealValues[] = {
    {"stock_render_device", "stock-436-server-package-default.ini", "Engine.Engine", "GameRenderDevice", "SoftDrv.SoftwareRenderDevice"},
    {"client451_colour_bits_other_spelling", "client-451-windows-d3d.ini", "WinDrv.WindowsClient", "FullscreenColorbits", "32"},
    {"client451_client_section_not_x_client", "client-451-windows-d3d.ini", "WinDrv.WindowsClient", "MinDesiredFrameRate", "28.000000"},
    {"client469_lf_file", "client-469d-windows-xopengl.ini", "XOpenGLDrv.XOpenGLRenderDevice", "Coronas", "True"},
    {"linux_has_no_windows_client", "linux-sdl-opengl.ini", "WinDrv.WindowsClient", "Decals", "Default"},
    {"server_game_engine_not_editor_engine", "dedicated-server-436-newnet-ace.ini", "Engine.GameEngine", "CacheSizeMegs", "128"},
    {"stock_quoted_value", "stock-436-server-package-default.ini", "UMenu.UMenuMenuBar", "GameUMenuDefault", "UTMenu.UTGameMenu"},
    {"server_value_loses_trailing_blank", "dedicated-server-436-newnet-ace.ini", "UTServerAdmin.UTServerAdmin", "DefaultSendText", "say"},
};
// clang-format on

class RealFileRead : public testing::TestWithParam<RealValue> {};

TEST_P(RealFileRead, GivesGameValue)
{
    const RealValue& c = GetParam();
    ASSERT_TRUE(fileExists(gameFile(c.file))) << c.file;
    EXPECT_FALSE(fileExists(std::string(VELMORA_TESTDATA) + "/ut-ini")) << "a folder is no file";
    EXPECT_EQ(portable::getProfileString(gameFile(c.file), c.section, c.key, "Default", 255),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(GameFiles, RealFileRead, testing::ValuesIn(kRealValues), test::RowName());

struct ManagedKey {
    std::string_view section; // empty: the render device's own section
    std::string_view key;
};

void PrintTo(const ManagedKey& managed, std::ostream* out)
{
    *out << managed.key;
}

// clang-format off
constexpr std::string_view kGameFiles[] = {"stock-436-server-package-default.ini", "client-451-windows-d3d.ini", "client-469d-windows-xopengl.ini", "linux-sdl-opengl.ini", "dedicated-server-436-newnet-ace.ini"};
// clang-format on

// Every key the program writes, as the catalogue names it.
std::vector<ManagedKey> managedKeys()
{
    using namespace config;
    std::vector<std::string_view> names = {kCacheSizeMegs, kFullscreenViewportX,
                                           kFullscreenViewportY};
    for (const SettingRow& row : settingRows())
        names.push_back(row.key);
    std::vector<ManagedKey> keys;
    for (const std::string_view key : names)
        keys.push_back({sectionFor(key, ""), key}); // "": the render device's section
    return keys;
}

const std::vector<ManagedKey> kManagedKeys = managedKeys();

// Lines with their endings, split independently of the engine.
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t begin = 0, end = 0; begin < text.size(); begin = end) {
        end = std::min(text.find('\n', begin), text.size() - 1) + 1;
        lines.push_back(text.substr(begin, end - begin));
    }
    return lines;
}

// The lines of `a` left between the longest common head and tail with `b`.
std::vector<std::string> changedLines(const std::vector<std::string>& a,
                                      const std::vector<std::string>& b)
{
    std::size_t head = 0, tail = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    return {a.begin() + static_cast<std::ptrdiff_t>(head),
            a.end() - static_cast<std::ptrdiff_t>(tail)};
}

class GameFileWrite : public testing::TestWithParam<std::tuple<std::string_view, ManagedKey>> {
protected:
    static std::string deviceResolved(const std::string& file, const ManagedKey& k)
    {
        return k.section.empty() ? portable::getProfileString(file, "Engine.Engine",
                                                              "GameRenderDevice", "Default", 255)
                                 : std::string(k.section);
    }

    test::TemporaryFolder m_dir;
};

TEST_P(GameFileWrite, ChangesOnlyTheKey)
{
    const auto& [name, managed] = GetParam();
    const std::string original = gameFile(name);
    const std::string before = readWholeFile(original).value_or("");
    ASSERT_FALSE(before.empty()) << original;
    const std::string file = m_dir.file("UnrealTournament.ini");
    test::writeFile(file, before);
    const std::string section = deviceResolved(original, managed);
    const std::string oldValue =
        portable::getProfileString(file, section, managed.key, "Default", 255);

    constexpr std::string_view kWritten = "Velmora7";
    const WriteOutcome outcome = portable::writeProfileString(file, section, managed.key, kWritten);
    ASSERT_EQ(outcome.status, WriteStatus::Written) << outcome.reason;
    for (const ManagedKey& other : kManagedKeys) {
        const std::string otherSection = deviceResolved(original, other);
        EXPECT_EQ(portable::getProfileString(file, otherSection, other.key, "Default", 255),
                  other.key == managed.key ? std::string(kWritten)
                                           : portable::getProfileString(original, otherSection,
                                                                        other.key, "Default", 255))
            << other.key;
    }

    const std::string after = readWholeFile(file).value_or("");
    const std::string ending = before.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string keyLine = std::string(managed.key) + "=" + std::string(kWritten) + ending;
    const auto removed = changedLines(splitLines(before), splitLines(after));
    const auto added = changedLines(splitLines(after), splitLines(before));
    if (oldValue == "Default") {
        EXPECT_TRUE(removed.empty());
        const std::vector<std::string> newSection{"[" + section + "]" + ending, keyLine};
        EXPECT_TRUE(added == std::vector<std::string>{keyLine} || added == newSection) << after;
    } else {
        ASSERT_EQ(removed.size(), 1u);
        const std::string kept = removed[0].substr(0, removed[0].find('=') + 1);
        EXPECT_EQ(added, std::vector<std::string>{kept + std::string(kWritten) + ending});
    }
    EXPECT_EQ(portable::writeProfileString(file, section, managed.key, kWritten).status,
              WriteStatus::Unchanged);
}

INSTANTIATE_TEST_SUITE_P(GameFiles, GameFileWrite,
                         testing::Combine(testing::ValuesIn(kGameFiles),
                                          testing::ValuesIn(kManagedKeys)),
                         [](const auto& row) {
                             std::string name = std::string(std::get<0>(row.param)) + "_" +
                                                std::string(std::get<1>(row.param).key);
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

} // namespace
} // namespace velmora::platform
