// The real game files in tests/data/ut-ini: known values read back, and every managed key
// written into every file changes that key's line alone and keeps the file's line ending.

#include "config/catalogue.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

std::string gameFile(std::string_view name)
{
    return std::string(VELMORA_TESTDATA) + "/ut-ini/" + std::string(name);
}

std::string read(const std::string& file, std::string_view section, std::string_view key)
{
    return portable::getProfileString(file, section, key, "Default", 255);
}

VELMORA_RULES(RealFileRead, GivesGameValue, "system-rules.tsv", "gamevalue", 5)
{
    const test::TableRow& row = GetParam();
    ASSERT_TRUE(fileExists(gameFile(row[1]))) << row[1];
    EXPECT_FALSE(fileExists(std::string(VELMORA_TESTDATA) + "/ut-ini")) << "a folder is no file";
    EXPECT_EQ(read(gameFile(row[1]), row[2], row[3]), row[4]);
}

// clang-format off
constexpr std::string_view kGameFiles[] = {"stock-436-server-package-default.ini", "client-451-windows-d3d.ini", "client-469d-windows-xopengl.ini", "linux-sdl-opengl.ini", "dedicated-server-436-newnet-ace.ini"};
// clang-format on

// Every key the program writes, as the catalogue names it, with its section ("": the render
// device's own section).
std::vector<std::pair<std::string_view, std::string_view>> managedKeys()
{
    using namespace config;
    std::vector<std::pair<std::string_view, std::string_view>> keys = {
        {kGameEngine, kCacheSizeMegs},
        {kWindowsClient, kFullscreenViewportX},
        {kWindowsClient, kFullscreenViewportY}};
    for (const SettingRow& row : settingRows())
        keys.emplace_back(sectionOf(row, ""), row.key);
    return keys;
}

// The lines of `a` left between the longest common head and tail with `b`.
std::vector<std::string> changedLines(const std::string& a, const std::string& b)
{
    std::vector<std::string> lines[2];
    for (int i = 0; i < 2; ++i) {
        std::istringstream in(i == 0 ? a : b);
        for (std::string line; std::getline(in, line);)
            lines[i].push_back(line);
    }
    const auto head =
        std::mismatch(lines[0].begin(), lines[0].end(), lines[1].begin(), lines[1].end());
    const auto tail = std::mismatch(lines[0].rbegin(), std::make_reverse_iterator(head.first),
                                    lines[1].rbegin(), std::make_reverse_iterator(head.second));
    return {head.first, tail.first.base()};
}

class GameFileWrite : public testing::TestWithParam<std::tuple<std::string_view, std::size_t>> {};

TEST_P(GameFileWrite, ChangesOnlyTheKey)
{
    const auto keys = managedKeys();
    const std::string original = gameFile(std::get<0>(GetParam()));
    const std::string device = read(original, "Engine.Engine", "GameRenderDevice");
    const auto sectionOf = [&](std::string_view s) { return s.empty() ? device : std::string(s); };
    const auto [section, key] = keys.at(std::get<1>(GetParam()));
    const std::string before = readWholeFile(original).value_or("");
    ASSERT_FALSE(before.empty()) << original;
    const test::TemporaryFolder dir;
    const std::string file = dir.file("UnrealTournament.ini");
    test::writeFile(file, before);

    const WriteOutcome outcome = portable::writeProfileString(file, sectionOf(section), key, "V7");
    ASSERT_EQ(outcome.status, WriteStatus::Written) << outcome.reason;
    for (const auto& [otherSection, other] : keys)
        EXPECT_EQ(read(file, sectionOf(otherSection), other),
                  other == key ? "V7" : read(original, sectionOf(otherSection), other))
            << other;

    const std::string after = readWholeFile(file).value_or("");
    const std::string ending = before.find("\r\n") != std::string::npos ? "\r" : "";
    const std::string keyLine = std::string(key) + "=V7" + ending;
    const auto removed = changedLines(before, after), added = changedLines(after, before);
    if (read(original, sectionOf(section), key) == "Default") {
        EXPECT_TRUE(removed.empty());
        const std::vector<std::string> newSection{"[" + sectionOf(section) + "]" + ending, keyLine};
        EXPECT_TRUE(added == std::vector<std::string>{keyLine} || added == newSection) << after;
    } else {
        ASSERT_EQ(removed.size(), 1u);
        EXPECT_EQ(added, std::vector<std::string>{removed[0].substr(0, removed[0].find('=') + 1) +
                                                  "V7" + ending});
    }
    EXPECT_EQ(portable::writeProfileString(file, sectionOf(section), key, "V7").status,
              WriteStatus::Unchanged);
}

INSTANTIATE_TEST_SUITE_P(, GameFileWrite,
                         testing::Combine(testing::ValuesIn(kGameFiles),
                                          testing::Range<std::size_t>(0, managedKeys().size())),
                         [](const auto& row) {
                             std::string name(std::get<0>(row.param).substr(0, 10));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + "_" +
                                    std::string(managedKeys()[std::get<1>(row.param)].second);
                         });

} // namespace
} // namespace velmora::platform
