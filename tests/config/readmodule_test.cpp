#include "config/gameconfig.h"
#include "config/readmodule.h"
#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "support/rowname.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace velmora::config {
namespace {

namespace fs = std::filesystem;

class ReadModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "velmora-config-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        file = (dir / "UnrealTournament.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeFile(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

    fs::path dir;
    std::string file;
    ReadModule module;
};

TEST_F(ReadModuleTest, missing_key_section_and_file_read_as_Default)
{
    module.ReadGameValue("WinDrv.WindowsClient", "Decals", file);
    EXPECT_EQ(module.ReadResult, "Default");
    writeFile("[WinDrv.WindowsClient]\r\nDecals=True\r\n");
    module.ReadGameValue("WinDrv.WindowsClient", "Coronas", file);
    EXPECT_EQ(module.ReadResult, "Default");
    module.ReadGameValue("Engine.Engine", "Decals", file);
    EXPECT_EQ(module.ReadResult, "Default");
}

TEST_F(ReadModuleTest, empty_value_reads_as_empty_text_not_Default)
{
    writeFile("[WinDrv.WindowsClient]\r\nDecals=\r\n");
    module.ReadResult = "left over";
    module.ReadGameValue("WinDrv.WindowsClient", "Decals", file);
    EXPECT_EQ(module.ReadResult, "");
}

TEST_F(ReadModuleTest, long_value_is_cut_to_254_characters)
{
    const std::string value(300, 'x');
    writeFile("[S]\r\nK=" + value + "\r\n");
    module.ReadGameValue("S", "K", file);
    EXPECT_EQ(module.ReadResult, value.substr(0, 254));
}

TEST_F(ReadModuleTest, counted_reads_count_found_and_missing_keys_alike)
{
    writeFile("[S]\r\nA=1\r\n");
    module.ReadGameValueCounted("S", "A", file);
    module.ReadGameValueCounted("S", "missing", file);
    module.ReadGameValueCounted("nosection", "A", file);
    EXPECT_EQ(module.ReadCount, 3);
    module.ReadGameValue("S", "A", file);
    EXPECT_EQ(module.ReadCount, 3);
    EXPECT_EQ(module.ReadResult, "1");
}

TEST_F(ReadModuleTest, write_creates_missing_file_with_section_and_key)
{
    ASSERT_TRUE(module.WriteGameValue("Engine.GameEngine", "CacheSizeMegs", " 96", file).ok());
    EXPECT_EQ(platform::readWholeFile(file), "[Engine.GameEngine]\r\nCacheSizeMegs= 96\r\n");
}

TEST_F(ReadModuleTest, write_matches_key_without_regard_to_case)
{
    writeFile("[WinDrv.WindowsClient]\r\nTextureDetail=High\r\n");
    ASSERT_TRUE(module.WriteGameValue("WinDrv.WindowsClient", "Texturedetail", "Low", file).ok());
    EXPECT_EQ(platform::readWholeFile(file), "[WinDrv.WindowsClient]\r\nTextureDetail=Low\r\n");
}

TEST_F(ReadModuleTest, failed_write_reports_the_reason)
{
    // A regular file where the folder should be: no permission bit involved, so it fails
    // for root too.
    const std::string blocked = (dir / "notafolder").string();
    std::ofstream(blocked) << "x";
    const auto outcome = module.WriteGameValue("S", "K", "V", blocked + "/UnrealTournament.ini");
    EXPECT_EQ(outcome.status, platform::WriteStatus::Failed);
    EXPECT_FALSE(outcome.reason.empty());
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

struct LocateRow {
    const char* name;
    const char* folder;
    const char* windowsPath; // nullptr: not found
};

class LocateGameConfigTest : public ::testing::TestWithParam<LocateRow> {};

TEST_P(LocateGameConfigTest, builds_the_path_from_the_folder_as_stored)
{
    const auto& row = GetParam();
    const auto location = locateGameConfig(FixedLocator(row.folder));
    if (row.windowsPath == nullptr) {
        EXPECT_FALSE(location.has_value());
        return;
    }
    ASSERT_TRUE(location.has_value());
    EXPECT_EQ(location->GameFolder, row.folder);
    EXPECT_EQ(location->windowsPath, row.windowsPath);
    EXPECT_EQ(location->Utpath, std::string("/mapped/") + row.windowsPath);
}

constexpr LocateRow kLocateRows[] = {
    {"plain_folder", "C:\\Games\\UT", "C:\\Games\\UT\\System\\UnrealTournament.ini"},
    {"trailing_backslash_is_doubled", "C:\\Games\\UT\\",
     "C:\\Games\\UT\\\\System\\UnrealTournament.ini"},
    {"empty_folder_is_not_found", "", nullptr},
    {"folder_without_a_local_path_is_not_found", "\\\\server\\UT", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, LocateGameConfigTest, ::testing::ValuesIn(kLocateRows),
                         velmora::test::RowName());

} // namespace
} // namespace velmora::config
