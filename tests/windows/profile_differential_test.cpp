// The portable profile engine and the Win32 profile functions over one table of cases: the
// same read values, write statuses and read-backs, bar the Wine deviations the table names.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/datatable.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"
#include "support/wine.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

const std::string kTable = VELMORA_TESTDATA "/profile-differential.tsv";
const std::string kAbsent = "(absent)", kSame = "=";

struct ReadCase {
    std::string name, file, section, key, defaultValue;
    std::size_t size = 0;
    std::string result, wine;
};

struct WriteCase {
    std::string name, before, section, key, value, status, readback, after, wineAfter;
};
using test::PrintTo;

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

TEST(ProfileDifferentialTable, HoldsEnoughCases)
{
    EXPECT_GE(readCases().size(), 60U);
    EXPECT_GE(writeCases().size(), 30U);
}

template <class Case> class Differential : public ::testing::TestWithParam<Case> {
protected:
    test::TemporaryFolder folder;
};
using ProfileReadDifferential = Differential<ReadCase>;
using ProfileWriteDifferential = Differential<WriteCase>;

TEST_P(ProfileReadDifferential, PortableEngineAndWin32Agree)
{
    const auto& row = GetParam();
    const std::string path = folder.file("read.ini");
    putFile(path, row.file);
    EXPECT_EQ(portable::getProfileString(path, row.section, row.key, row.defaultValue, row.size),
              row.result)
        << "portable engine";
    const bool deviates = row.wine != kSame && test::runningUnderWine();
    EXPECT_EQ(getProfileString(path, row.section, row.key, row.defaultValue, row.size),
              deviates ? row.wine : row.result)
        << (deviates ? "the Wine deviation" : "Win32");
    if (deviates) {
        EXPECT_NE(row.wine, row.result);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileReadDifferential, ::testing::ValuesIn(readCases()),
                         test::RowName());

TEST_P(ProfileWriteDifferential, PortableEngineAndWin32ReadBackTheSame)
{
    const auto& row = GetParam();
    static const char* const kStatus[] = {"written", "unchanged", "refused", "failed"};
    for (const bool win32 : {false, true}) {
        SCOPED_TRACE(win32 ? "Win32 profile functions" : "portable engine");
        const std::string path = folder.file(win32 ? "win32.ini" : "portable.ini");
        putFile(path, row.before);
        const auto outcome =
            win32 ? writeProfileString(path, row.section, row.key, row.value)
                  : portable::writeProfileString(path, row.section, row.key, row.value);
        EXPECT_EQ(kStatus[static_cast<int>(outcome.status)], row.status) << outcome.reason;
        EXPECT_EQ(win32 ? getProfileString(path, row.section, row.key, "Default", 255)
                        : portable::getProfileString(path, row.section, row.key, "Default", 255),
                  row.readback);
        const std::string after = readWholeFile(path).value_or(kAbsent);
        if (!win32 || row.wineAfter == kSame) {
            EXPECT_EQ(after, row.after);
        } else if (test::runningUnderWine()) {
            EXPECT_EQ(after, row.wineAfter) << "Wine rewrites the whole file";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileWriteDifferential, ::testing::ValuesIn(writeCases()),
                         test::RowName());

} // namespace
} // namespace velmora::platform
