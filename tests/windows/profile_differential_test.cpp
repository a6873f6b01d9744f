// The portable profile engine and the Win32 profile functions, run over the same table of
// cases (tests/data/profile-differential.tsv): reads must give the same value and writes the
// same status and read-back value, except where the table documents a Wine deviation.

#include "datatable.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"
#include "support/wine.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

const std::string kTable = VELMORA_TESTDATA "/profile-differential.tsv";
constexpr std::string_view kAbsent = "(absent)";
constexpr std::string_view kSame = "=";

struct ReadCase {
    std::string name, file, section, key, defaultValue;
    std::size_t size = 0;
    std::string result, wine;
    friend void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }
};

struct WriteCase {
    std::string name, before, section, key, value, status, readback, after, wineAfter;
    friend void PrintTo(const WriteCase& row, std::ostream* out) { *out << row.name; }
};

std::vector<ReadCase> readCases()
{
    std::vector<ReadCase> cases;
    for (auto& f : test::readTable(kTable, "read", 9)) {
        cases.push_back({f[0], f[1], f[2], f[3], f[4], std::stoul(f[5]), f[6], f[7]});
    }
    return cases;
}

std::vector<WriteCase> writeCases()
{
    std::vector<WriteCase> cases;
    for (auto& f : test::readTable(kTable, "write", 10)) {
        cases.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
    }
    return cases;
}

void putFile(const std::string& path, const std::string& bytes)
{
    if (bytes != kAbsent) {
        test::writeFile(path, bytes);
    }
}

std::string fileBytes(const std::string& path)
{
    return readWholeFile(path).value_or(std::string(kAbsent));
}

std::string statusName(WriteStatus status)
{
    switch (status) {
    case WriteStatus::Written:
        return "written";
    case WriteStatus::Unchanged:
        return "unchanged";
    case WriteStatus::Refused:
        return "refused";
    case WriteStatus::Failed:
        return "failed";
    }
    return "?";
}

TEST(ProfileDifferentialTable, holds_enough_cases)
{
    EXPECT_GE(readCases().size(), 60U);
    EXPECT_GE(writeCases().size(), 30U);
}

class ProfileReadDifferential : public ::testing::TestWithParam<ReadCase> {
protected:
    test::TemporaryFolder folder;
};

TEST_P(ProfileReadDifferential, portable_engine_and_win32_agree)
{
    const auto& row = GetParam();
    const std::string path = folder.file("read.ini");
    putFile(path, row.file);

    EXPECT_EQ(portable::getProfileString(path, row.section, row.key, row.defaultValue, row.size),
              row.result)
        << "portable engine";
    const std::string win32 =
        getProfileString(path, row.section, row.key, row.defaultValue, row.size);
    if (row.wine != kSame && test::runningUnderWine()) {
        EXPECT_EQ(win32, row.wine) << "Win32 under Wine: the documented Wine deviation";
        EXPECT_NE(win32, row.result);
    } else {
        EXPECT_EQ(win32, row.result) << "Win32 profile function";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileReadDifferential, ::testing::ValuesIn(readCases()),
                         test::RowName());

class ProfileWriteDifferential : public ::testing::TestWithParam<WriteCase> {
protected:
    test::TemporaryFolder folder;
};

TEST_P(ProfileWriteDifferential, portable_engine_and_win32_read_back_the_same)
{
    const auto& row = GetParam();
    const std::string portablePath = folder.file("portable.ini");
    const std::string win32Path = folder.file("win32.ini");
    putFile(portablePath, row.before);
    putFile(win32Path, row.before);

    const auto portableOutcome =
        portable::writeProfileString(portablePath, row.section, row.key, row.value);
    const auto win32Outcome = writeProfileString(win32Path, row.section, row.key, row.value);
    EXPECT_EQ(statusName(portableOutcome.status), row.status) << portableOutcome.reason;
    EXPECT_EQ(statusName(win32Outcome.status), row.status) << win32Outcome.reason;

    EXPECT_EQ(portable::getProfileString(portablePath, row.section, row.key, "Default", 255),
              row.readback)
        << "portable engine";
    EXPECT_EQ(getProfileString(win32Path, row.section, row.key, "Default", 255), row.readback)
        << "Win32 profile functions";

    EXPECT_EQ(fileBytes(portablePath), row.after) << "portable engine";
    if (row.wineAfter == kSame) {
        EXPECT_EQ(fileBytes(win32Path), row.after) << "Win32 profile functions";
    } else if (test::runningUnderWine()) {
        EXPECT_EQ(fileBytes(win32Path), row.wineAfter) << "Wine rewrites the whole file";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileWriteDifferential, ::testing::ValuesIn(writeCases()),
                         test::RowName());

} // namespace
} // namespace velmora::platform
