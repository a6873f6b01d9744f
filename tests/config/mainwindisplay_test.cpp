#include "config/mainwindisplay.h"
#include "support/rowname.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

constexpr std::uint64_t kMb = 1024 * 1024;

struct MemoryRow {
    const char* name;
    std::uint64_t bytes;
    std::int64_t detectedMb;
    std::int64_t suggestedMb;
    std::int64_t limitMb;
    const char* fieldText;
    const char* panelText;
};

// clang-format off
const MemoryRow kMemoryRows[] = {
    {"mb128_suggests_96", 128 * kMb, 128, 96, 128, " 96", " 128Mb"},
    {"gb24_suggests_and_takes_what_the_game_can", 24576 * kMb, 24576, 512, 2047, " 512", " 24576Mb"},
    {"gb2_is_not_negative", 2048 * kMb, 2048, 512, 2047, " 512", " 2048Mb"},
    {"mb683_suggests_512_at_most", 683 * kMb, 683, 512, 683, " 512", " 683Mb"},
    {"half_megabyte_rounds_to_even", 2 * kMb + kMb / 2, 2, 2, 2, " 2", " 2Mb"},
    {"odd_half_rounds_up_to_even", 6 * kMb + kMb / 2, 6, 5, 6, " 5", " 6Mb"},
    {"unknown_memory_is_zero", 0, 0, 0, 0, " 0", " 0Mb"},
};
// clang-format on

class MemoryFiguresTest : public testing::TestWithParam<MemoryRow> {};

TEST_P(MemoryFiguresTest, FiguresAndTexts)
{
    const MemoryRow& row = GetParam();
    const MemoryFigures figures = memoryFigures(row.bytes);
    EXPECT_EQ(figures.detectedMb, row.detectedMb);
    EXPECT_EQ(figures.suggestedCacheMb, row.suggestedMb);
    EXPECT_EQ(cacheLimitMb(figures.detectedMb), row.limitMb);
    EXPECT_EQ(blankSignedNumber(figures.suggestedCacheMb), row.fieldText);
    EXPECT_EQ(memoryPanelText(figures.detectedMb), row.panelText);
}

INSTANTIATE_TEST_SUITE_P(Memory, MemoryFiguresTest, testing::ValuesIn(kMemoryRows),
                         test::RowName());

struct ResolutionRow {
    const char* name;
    std::string_view width;
    std::string_view height;
    const char* panel;
};

// clang-format off
const ResolutionRow kResolutionRows[] = {
    {"leading_zero_dropped", "0800", "600", "800 x 600"},
    {"missing_keys_show_default", "Default", "Default", "Default x Default"},
    {"one_text_one_number", "1024", "abc", "1024 x abc"},
    {"trailing_letters_are_text", "800px", "600", "800px x 600"},
    {"empty_value_stays_empty", "", "480", " x 480"},
    {"signs_read_as_numbers", "+800", "-6", "800 x -6"},
};
// clang-format on

class ResolutionPanelTest : public testing::TestWithParam<ResolutionRow> {};

TEST_P(ResolutionPanelTest, Text)
{
    const ResolutionRow& row = GetParam();
    EXPECT_EQ(resolutionPanelText(row.width, row.height), row.panel);
}

INSTANTIATE_TEST_SUITE_P(Resolution, ResolutionPanelTest, testing::ValuesIn(kResolutionRows),
                         test::RowName());

struct CacheRow {
    const char* name;
    std::string_view text;
    std::int64_t value;
    bool given = true; // counts as a cache size at all
};

const CacheRow kCacheRows[] = {
    {"program_text_with_blank", " 96", 96},
    {"empty_is_zero", "", 0, false},
    {"blanks_only_are_zero_and_empty", "   ", 0, false},
    {"stops_at_first_non_digit", "12ab", 12},
    {"huge_entry_saturates", "99999999999999999999999", std::numeric_limits<std::int64_t>::max()},
};

class CacheSizeValueTest : public testing::TestWithParam<CacheRow> {};

TEST_P(CacheSizeValueTest, Value)
{
    EXPECT_EQ(cacheSizeValue(GetParam().text), GetParam().value);
    EXPECT_EQ(cacheSizeGiven(GetParam().text), GetParam().given);
}

INSTANTIATE_TEST_SUITE_P(Cache, CacheSizeValueTest, testing::ValuesIn(kCacheRows), test::RowName());

TEST(MainWindowTexts, CachePanelAndBoundMessage)
{
    EXPECT_EQ(cachePanelText("32"), " 32Mb");
    EXPECT_EQ(cachePanelText("Default"), " DefaultMb");
    EXPECT_EQ(cacheTooLargeText(128), "Memory value u specified is too large, maximum=128 Mb");
}

} // namespace
} // namespace velmora::config
