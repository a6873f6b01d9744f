// Velmora.ini damaged by hand or by another program, and set names that would break it: the
// store gives a defined count and never overwrites, loses or injects a set.

#include "faultkit.h"
#include "platform/profile.h"
#include "sets/store.h"
#include "support/rowname.h"

#include <string>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using namespace std::string_literals;
using platform::WriteStatus;

// Two saved sets, then the count as the row gives it.
std::string storeWithCount(const std::string& count)
{
    return "[Velmora]\r\nSaveNumber=" + count +
           "\r\n[Save1]\r\nSaveName=first\r\nDecals=True\r\n[Save2]\r\nSaveName=second\r\n"
           "Decals=False\r\n";
}

struct DamagedCount {
    const char* name;
    const char* count;
    std::string shown; // the count the editor shows after opening the store
    int listed;        // sets the load dialog lists
    int nextSet;       // the set number the next save writes
};

const DamagedCount kCounts[] = {
    {"plain_count", "2", "2", 2, 3},
    {"negative_count_is_repaired", "-1", "2", 2, 3},
    {"leading_zero_is_a_number", "01", "01", 1, 3},
    {"letters_are_repaired", "abc", "2", 2, 3},
    {"empty_count_is_repaired", "", "2", 2, 3},
    {"fraction_is_repaired", "1.5", "2", 2, 3},
    {"count_beyond_the_sets_lists_only_the_sets", "99999999", "99999999", 2, 100000000},
    {"ten_digit_count_is_repaired", "9999999999", "2", 2, 3},
};

class DamagedStore : public ::testing::TestWithParam<DamagedCount> {
protected:
    ScratchFolder scratch;
    std::string path = scratch / "Velmora.ini";
};

TEST_P(DamagedStore, gives_a_defined_count_and_keeps_every_set)
{
    const DamagedCount& row = GetParam();
    writeBytes(path, storeWithCount(row.count));

    const sets::StoreStatus status = sets::openStore(path);
    EXPECT_TRUE(status.outcome.ok()) << status.outcome.reason;
    EXPECT_EQ(status.countText, row.shown);
    EXPECT_EQ(sets::listSetNames(path).size(), static_cast<std::size_t>(row.listed));

    const sets::EditorLists lists{{"Decals"}, {"True"}};
    const sets::SaveResult saved = sets::saveSettingSet(path, "third", lists);
    ASSERT_EQ(saved.outcome.status, WriteStatus::Written) << saved.outcome.reason;
    EXPECT_EQ(saved.setNumber, row.nextSet);
    EXPECT_EQ(platform::getProfileString(path, "Save1", "SaveName", "Default", 255), "first");
    EXPECT_EQ(platform::getProfileString(path, "Save2", "SaveName", "Default", 255), "second");
}

INSTANTIATE_TEST_SUITE_P(, DamagedStore, ::testing::ValuesIn(kCounts), RowName{});

struct OfferedName {
    const char* name;
    std::string setName;
    WriteStatus status;
    std::string listed; // the name as the load dialog lists it, for a stored set
};

const OfferedName kNames[] = {
    {"long_name_is_listed_cut_to_254", std::string(300, 'n'), WriteStatus::Written,
     std::string(254, 'n')},
    {"brackets_and_equals_are_plain_text", "a]b=[c];d", WriteStatus::Written, "a]b=[c];d"},
    {"crlf_would_inject_a_key", "x\r\nSaveNumber=0", WriteStatus::Refused, ""},
    {"lf_would_inject_a_section", "x\n[Velmora]", WriteStatus::Refused, ""},
    {"cr_alone", "x\ry", WriteStatus::Refused, ""},
    {"nul_would_cut_the_name", "x\0y"s, WriteStatus::Refused, ""},
};

class OfferedSetName : public ::testing::TestWithParam<OfferedName> {
protected:
    ScratchFolder scratch;
    std::string path = scratch / "Velmora.ini";
};

TEST_P(OfferedSetName, is_stored_whole_or_refused_without_a_write)
{
    const OfferedName& row = GetParam();
    ASSERT_TRUE(sets::openStore(path).outcome.ok());
    const std::string before = readBytes(path);

    const sets::SaveResult saved = sets::saveSettingSet(path, row.setName, {{"Decals"}, {"True"}});
    EXPECT_EQ(saved.outcome.status, row.status) << saved.outcome.reason;
    if (row.status == WriteStatus::Refused) {
        EXPECT_FALSE(saved.outcome.reason.empty());
        EXPECT_EQ(readBytes(path), before);
    } else {
        EXPECT_EQ(sets::listSetNames(path), std::vector<std::string>{row.listed});
    }
}

INSTANTIATE_TEST_SUITE_P(, OfferedSetName, ::testing::ValuesIn(kNames), RowName{});

} // namespace
} // namespace velmora::test
