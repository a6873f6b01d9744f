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
    const char* fieldText;
    const char* panelText;
};

const MemoryRow kMemoryRows[] = {
    {.name = "mb128_suggests_96",
     .bytes = 128 * kMb,
     .detectedMb = 128,
     .suggestedMb = 96,
     .fieldText = " 96",
     .panelText = " 128Mb"},
    {.name = "gb16_needs_wide_integers",
     .bytes = 16384 * kMb,
     .detectedMb = 16384,
     .suggestedMb = 12288,
     .fieldText = " 12288",
     .panelText = " 16384Mb"},
    {.name = "gb2_is_not_negative",
     .bytes = 2048 * kMb,
     .detectedMb = 2048,
     .suggestedMb = 1536,
     .fieldText = " 1536",
     .panelText = " 2048Mb"},
    {.name = "half_megabyte_rounds_to_even",
     .bytes = 2 * kMb + kMb / 2,
     .detectedMb = 2,
     .suggestedMb = 2,
     .fieldText = " 2",
     .panelText = " 2Mb"},
    {.name = "odd_half_rounds_up_to_even",
     .bytes = 6 * kMb + kMb / 2,
     .detectedMb = 6,
     .suggestedMb = 5,
     .fieldText = " 5",
     .panelText = " 6Mb"},
    {.name = "unknown_memory_is_zero",
     .bytes = 0,
     .detectedMb = 0,
     .suggestedMb = 0,
     .fieldText = " 0",
     .panelText = " 0Mb"},
};

class MemoryFiguresTest : public testing::TestWithParam<MemoryRow> {};

TEST_P(MemoryFiguresTest, FiguresAndTexts)
{
    const MemoryRow& row = GetParam();
    const MemoryFigures figures = memoryFigures(row.bytes);
    EXPECT_EQ(figures.detectedMb, row.detectedMb);
    EXPECT_EQ(figures.suggestedCacheMb, row.suggestedMb);
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

const ResolutionRow kResolutionRows[] = {
    {.name = "leading_zero_dropped", .width = "0800", .height = "600", .panel = "800 x 600"},
    {.name = "missing_keys_show_default",
     .width = "Default",
     .height = "Default",
     .panel = "Default x Default"},
    {.name = "one_text_one_number", .width = "1024", .height = "abc", .panel = "1024 x abc"},
    {.name = "trailing_letters_are_text",
     .width = "800px",
     .height = "600",
     .panel = "800px x 600"},
    {.name = "empty_value_stays_empty", .width = "", .height = "480", .panel = " x 480"},
};

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
};

const CacheRow kCacheRows[] = {
    {.name = "program_text_with_blank", .text = " 96", .value = 96},
    {.name = "empty_is_zero", .text = "", .value = 0},
    {.name = "blanks_only_are_zero", .text = "   ", .value = 0},
    {.name = "stops_at_first_non_digit", .text = "12ab", .value = 12},
    {.name = "huge_entry_saturates",
     .text = "99999999999999999999999",
     .value = std::numeric_limits<std::int64_t>::max()},
};

class CacheSizeValueTest : public testing::TestWithParam<CacheRow> {};

TEST_P(CacheSizeValueTest, Value)
{
    EXPECT_EQ(cacheSizeValue(GetParam().text), GetParam().value);
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
