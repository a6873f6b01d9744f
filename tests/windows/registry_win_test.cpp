// The Win32 registry lookup: the result rules over values written straight into the registry.

#include "platform/registry_win.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

constexpr const char* kScratchKey = "Software\\Velmora Test Scratch";

struct RawValueRow {
    const char* name;
    DWORD type;
    std::string_view data;
    const char* expected;
};
using test::PrintTo;

class QueryRegistryValueTest : public ::testing::TestWithParam<RawValueRow> {};

TEST_P(QueryRegistryValueTest, GivesTheTextOfTheRules)
{
    const auto& row = GetParam();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto set =
        RegSetValueExA(key, "Folder", 0, row.type, reinterpret_cast<const BYTE*>(row.data.data()),
                       static_cast<DWORD>(row.data.size()));
    const std::string text = QueryRegistryValue(key, "Folder");
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    ASSERT_EQ(set, ERROR_SUCCESS);
    EXPECT_EQ(text, row.expected);
}

using namespace std::string_view_literals;

const RawValueRow kRawValueRows[] = {
    {"sz_with_terminator", REG_SZ, "C:\\UT\0"sv, "C:\\UT"},
    {"sz_without_terminator_whole_text", REG_SZ, "C:\\UT"sv, "C:\\UT"},
    {"sz_cut_at_first_nul", REG_SZ, "C:\\UT\0junk\0"sv, "C:\\UT"},
    {"empty_binary", REG_BINARY, ""sv, ""},
    {"binary_low_byte_only", REG_BINARY, "\x07"sv, "7"},
    {"binary_most_negative", REG_BINARY, "\x00\x80"sv, "-32768"},
    {"binary_three_bytes", REG_BINARY, "\x01\x02\x03"sv, ""},
    {"qword", REG_QWORD, "\x01\0\0\0\0\0\0\0"sv, ""},
    {"multi_sz", REG_MULTI_SZ, "a\0b\0\0"sv, ""},
};

INSTANTIATE_TEST_SUITE_P(Rows, QueryRegistryValueTest, ::testing::ValuesIn(kRawValueRows),
                         test::RowName());

TEST(QueryRegistryValueNoKey, MissingKeyOrValueGivesEmptyText)
{
    EXPECT_EQ(QueryRegistryValue(nullptr, "Folder"), "");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Velmora Missing", "Folder"), "");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software", "Velmora missing value"), "");
}

} // namespace
} // namespace velmora::platform
