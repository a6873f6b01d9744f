// The main window's figures and texts, by the rules in tests/data/config-rules.tsv.

#include "config/mainwindisplay.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

VELMORA_RULES(MemoryFigures, FiguresAndTexts, "config-rules.tsv", "memory", 7)
{
    const test::TableRow& row = GetParam();
    const auto figures = memoryFigures(std::stoull(row[1]));
    EXPECT_EQ(figures.detectedMb, std::stoll(row[2]));
    EXPECT_EQ(figures.suggestedCacheMb, std::stoll(row[3]));
    EXPECT_EQ(cacheLimitMb(figures.detectedMb), std::stoll(row[4]));
    EXPECT_EQ(blankSignedNumber(figures.suggestedCacheMb), row[5]);
    EXPECT_EQ(memoryPanelText(figures.detectedMb), row[6]);
}

VELMORA_RULES(ResolutionPanel, Text, "config-rules.tsv", "resolution", 4)
{
    EXPECT_EQ(resolutionPanelText(GetParam()[1], GetParam()[2]), GetParam()[3]);
}

VELMORA_RULES(CacheSizeValue, Value, "config-rules.tsv", "cache", 4)
{
    EXPECT_EQ(cacheSizeValue(GetParam()[1]), std::stoll(GetParam()[2]));
    EXPECT_EQ(cacheSizeGiven(GetParam()[1]), GetParam()[3] == "yes");
}

} // namespace
} // namespace velmora::config
