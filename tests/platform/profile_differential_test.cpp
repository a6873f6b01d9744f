// The portable profile engine and the system's profile functions (the Win32 ones in the Windows
// build, the portable engine elsewhere) over one table of cases
// (tests/data/profile-differential.tsv): the same read values, write statuses and read-backs,
// bar the Wine deviations the table names.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "platform/systeminfo.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora::platform {
namespace {

const std::string kAbsent = "(absent)", kSame = "=";

// Windows' own write, behind the refusals both sides share; elsewhere the system's write.
// Velmora writes through the portable engine on Windows too, so this is what holds it there.
WriteOutcome systemWrite(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& value)
{
#ifdef _WIN32
    const TextEdit check = profileWriteText(readWholeFile(path).value_or(""), section, key, value);
    if (check.status != WriteStatus::Written)
        return check.status == WriteStatus::Refused ? WriteOutcome::refused(check.reason)
                                                    : WriteOutcome::unchanged();
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str())
               ? WriteOutcome::written()
               : WriteOutcome::failed("WritePrivateProfileStringA failed");
#else
    return writeProfileString(path, section, key, value);
#endif
}

// read: name file section key default size result wine basis
VELMORA_RULES(ProfileReadDifferential, PortableEngineAndWin32Agree, "profile-differential.tsv",
              "read", 9)
{
    const test::TableRow& row = GetParam();
    const test::TemporaryFolder folder;
    const std::string path = folder.file("read.ini");
    if (row[1] != kAbsent)
        test::writeFile(path, row[1]);
    const std::size_t size = std::stoul(row[5]);
    EXPECT_EQ(portable::getProfileString(path, row[2], row[3], row[4], size), row[6])
        << "portable engine";
    const bool deviates = row[7] != kSame && platform::runningUnderWine();
    EXPECT_EQ(getProfileString(path, row[2], row[3], row[4], size), deviates ? row[7] : row[6])
        << (deviates ? "the Wine deviation" : "Win32");
    EXPECT_TRUE(!deviates || row[7] != row[6]);
}

// write: name before section key value status readback after wine_after basis
VELMORA_RULES(ProfileWriteDifferential, PortableEngineAndWin32ReadBackTheSame,
              "profile-differential.tsv", "write", 10)
{
    const test::TableRow& row = GetParam();
    const test::TemporaryFolder folder;
    static const char* const kStatus[] = {"written", "unchanged", "refused", "failed"};
    for (const bool win32 : {false, true}) {
        SCOPED_TRACE(win32 ? "the system's profile functions" : "portable engine");
        const std::string path = folder.file(win32 ? "win32.ini" : "portable.ini");
        if (row[1] != kAbsent)
            test::writeFile(path, row[1]);
        const auto outcome = win32 ? systemWrite(path, row[2], row[3], row[4])
                                   : portable::writeProfileString(path, row[2], row[3], row[4]);
        EXPECT_EQ(kStatus[static_cast<int>(outcome.status)], row[5]) << outcome.reason;
        EXPECT_EQ(win32 ? getProfileString(path, row[2], row[3], "Default", 255)
                        : portable::getProfileString(path, row[2], row[3], "Default", 255),
                  row[6]);
        const std::string after = readWholeFile(path).value_or(kAbsent);
        if (!win32 || row[8] == kSame) {
            EXPECT_EQ(after, row[7]);
        } else if (platform::runningUnderWine()) {
            EXPECT_EQ(after, row[8]) << "Wine rewrites the whole file";
        }
    }
}

} // namespace
} // namespace velmora::platform
