// The catalogue, the read module and finding the game's file, by the rules in
// tests/data/config-rules.tsv.

#include "config/catalogue.h"
#include "config/gameconfig.h"
#include "config/readmodule.h"
#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <array>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

class ReadModuleTest : public testing::Test {
protected:
    // The value a counted read gives; a plain read must give the same.
    std::string read(const char* section, const char* key)
    {
        m_module.ReadResult = "left over";
        m_module.ReadGameValueCounted(section, key, m_file);
        const std::string counted = m_module.ReadResult;
        m_module.ReadResult = "left over";
        m_module.ReadGameValue(section, key, m_file);
        EXPECT_EQ(m_module.ReadResult, counted);
        return counted;
    }

    test::TemporaryFolder m_dir;
    std::string m_file = m_dir.file("UnrealTournament.ini");
    ReadModule m_module;
};

// Counted reads count found and missing keys alike; plain reads do not count.
TEST_F(ReadModuleTest, GivesTheValueOrDefaultCutTo254Characters)
{
    EXPECT_EQ(read("S", "K"), "Default") << "no file";
    const std::string kLong(300, 'x');
    test::writeFile(m_file, "[S]\r\nK=1\r\nE=\r\n[L]\r\nK=" + kLong);
    EXPECT_EQ(read("s", "k"), "1");
    EXPECT_EQ(read("S", "J"), "Default");
    EXPECT_EQ(read("S", "E"), "");
    EXPECT_EQ(read("L", "K"), kLong.substr(0, 254));
    EXPECT_EQ(m_module.ReadCount, 5);
}

TEST_F(ReadModuleTest, WriteCreatesTheFileThenMatchesKeysWithoutCase)
{
    ASSERT_TRUE(m_module.WriteGameValue("Engine.GameEngine", "CacheSizeMegs", "96", m_file).ok());
    ASSERT_TRUE(m_module.WriteGameValue("engine.gameengine", "cachesizemegs", "64", m_file).ok());
    EXPECT_EQ(platform::readWholeFile(m_file), "[Engine.GameEngine]\r\nCacheSizeMegs=64\r\n");
}

class FixedLocator : public platform::GameLocator {
public:
    explicit FixedLocator(std::string folder) : m_folder(std::move(folder)) {}
    std::string gameFolder() const override { return m_folder; }
    std::string localPath(const std::string& windowsPath) const override
    {
        return windowsPath.starts_with("\\\\") ? std::string() : "/mapped/" + windowsPath;
    }

private:
    std::string m_folder;
};

VELMORA_RULES(LocateGameConfig, BuildsThePathFromTheFolderAsStored, "config-rules.tsv", "locate", 3)
{
    const test::TableRow& row = GetParam();
    const auto location = locateGameConfig(FixedLocator(row[1]));
    ASSERT_EQ(location.has_value(), !row[2].empty());
    if (location) {
        EXPECT_EQ(location->GameFolder, row[1]);
        EXPECT_EQ(location->windowsPath, row[2]);
        EXPECT_EQ(location->Utpath, "/mapped/" + row[2]);
    }
}

VELMORA_RULES(DriverTable, BothWritersAndBothListsAgree, "config-rules.tsv", "driver", 4)
{
    const test::TableRow& row = GetParam();
    EXPECT_EQ(classForListItem(row[1]), row[3]);
    EXPECT_EQ(classForDisplayName(row[2]), row[3]);
    EXPECT_EQ(displayNameForClass(row[3]), row[2]);
}

TEST(DriverNames, NamesNotInTheTableAreShownAsRead)
{
    for (const char* name : {"GlideDrv.GlideRender", "d3ddrv.d3drenderdevice", "Default"})
        EXPECT_EQ(displayNameForClass(name), name);
    EXPECT_FALSE(classForDisplayName("opengl").has_value());
    EXPECT_FALSE(classForListItem(kSelectDriver).has_value());
}

// Each value of a row's cycle steps to the next, the last back to the first; anything else,
// and a typed row, does not step. Each key has one section; Coronas's is the render device's.
TEST(EditCycle, EveryCycleOfTheCatalogueStepsAndWraps)
{
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const auto& cycle = settingRows()[row].cycle;
        for (std::size_t i = 0; i < cycle.size(); ++i)
            EXPECT_EQ(nextInCycle(row, cycle[i]), cycle[(i + 1) % cycle.size()]) << row;
        EXPECT_EQ(nextInCycle(row, "Default"), std::nullopt) << row;
    }
    EXPECT_TRUE(settingRows()[kFrameRateRow].cycle.empty() &&
                settingRows()[kParticleRow].cycle.empty());
    EXPECT_EQ(nextInCycle(kRowCount, "True"), std::nullopt);
    // The cycles the game's values need: lower-case, 24 bits and class names stay as they are.
    EXPECT_EQ(nextInCycle(0, "32"), "16");
    EXPECT_EQ(nextInCycle(1, "true"), std::nullopt);
    EXPECT_EQ(nextInCycle(0, "24"), std::nullopt);
    EXPECT_EQ(nextInCycle(8, "High"), "Low");
    EXPECT_EQ(nextInCycle(kCoronasRow, "True"), "False");
    EXPECT_EQ(nextInCycle(kDeviceRow, "Software"), "Direct 3D");
    EXPECT_EQ(nextInCycle(kDeviceRow, "GlideDrv.GlideRenderDevice"), std::nullopt);
    const auto& rows = settingRows();
    EXPECT_EQ(rows[kCoronasRow].key, "Coronas");
    EXPECT_EQ(sectionFor("Coronas", "D3DDrv.D3DRenderDevice"), "D3DDrv.D3DRenderDevice");
    EXPECT_EQ(sectionFor(kGameRenderDevice, "D3DDrv.D3DRenderDevice"), kEngine);
    EXPECT_EQ(sectionFor(kCacheSizeMegs, "D3DDrv.D3DRenderDevice"), kGameEngine);
    EXPECT_EQ(sectionFor(rows[0].key, "D3DDrv.D3DRenderDevice"), kWindowsClient);
}

// A preset applied to a real game file, then read back under the keys the game itself uses, all
// in WinDrv.WindowsClient but Coronas, which is in the render device's section.
constexpr std::array<const char*, 9> kGameKeys = {
    "FullscreenColorbits", "CurvedSurfaces", "LowDetailTextures", "Decals", "NoDynamicLights",
    "SlowVideoBuffering",  "SkinDetail",     "TextureDetail",     "Coronas"};

VELMORA_RULES(PresetOnGameFile, TheGameReadsEveryPresetValue, "config-rules.tsv", "preset", 5)
{
    const test::TableRow& row = GetParam();
    const test::TemporaryFolder dir;
    const std::string file = dir.file("UnrealTournament.ini");
    std::filesystem::copy_file(std::string(VELMORA_TESTDATA) + "/ut-ini/" + row[2], file);

    ReadModule module;
    module.ReadGameValue(kEngine, kGameRenderDevice, file);
    const std::string device = module.ReadResult;
    ASSERT_EQ(device, row[3]);
    const Preset preset = row[1] == "slow" ? Preset::Slow : Preset::Fast;
    for (const auto& step : presetSteps()) {
        const std::string section(step.section == SectionKind::RenderDevice ? device
                                                                            : kWindowsClient);
        ASSERT_TRUE(module.WriteGameValue(section, step.key, presetValue(step, preset), file).ok());
    }
    const auto expected = test::split(row[4], '|');
    for (std::size_t i = 0; i < kGameKeys.size(); ++i) {
        module.ReadGameValue(i + 1 < kGameKeys.size() ? std::string(kWindowsClient) : device,
                             kGameKeys[i], file);
        EXPECT_EQ(module.ReadResult, expected.at(i)) << kGameKeys[i];
    }
}

} // namespace
} // namespace velmora::config
