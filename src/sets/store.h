#pragma once

// The setting-set store `Velmora.ini`: section "Velmora" holds the count "SaveNumber";
// sections Save1 .. SaveN hold one set each, its "SaveName" and the editor's fifteen row
// names with the values the editor showed. Every read re-reads the file, with the profile
// rules ("Default" for a missing key, values cut to 254 characters).

#include "platform/outcome.h"
#include "sets/editorlists.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::sets {

inline constexpr std::string_view kStoreFileName = "Velmora.ini";
inline constexpr std::string_view kStoreSection = "Velmora";
inline constexpr std::string_view kCountKey = "SaveNumber";
inline constexpr std::string_view kNameKey = "SaveName";

// SetFilePath: the full path of "Velmora.ini" in `currentDirectory`.
std::string setFilePathIn(const std::string& currentDirectory);

// "Save" followed by `number` in decimal.
std::string setSectionName(int number);

// The count held in `text` when it is a plain whole number as the program writes it (one to
// nine decimal digits, nothing else); nullopt otherwise.
std::optional<int> parseCount(std::string_view text);

// The number of set sections Save1, Save2, ... present in the file without a gap (section
// names match without regard to case, as the profile rules do). 0 for a missing file.
int presentSetCount(const std::string& path);

// The count text as stored: "Default" when the key or the file is missing.
std::string readCountText(const std::string& path);

// What the editor's activation found in the store.
struct StoreStatus {
    std::string countText;            // shown as "Found <countText> saved settings"
    int count = 0;                    // the number of saved sets
    platform::WriteOutcome outcome{}; // of creating the store or repairing its count
};

// Creates the store with "SaveNumber" = "0" when the file is missing, then reads the count.
// A count that is not a plain whole number is rewritten as the number of set sections
// present, so that no saved set is ever overwritten; countText is then that number.
StoreStatus openStore(const std::string& path);

// The number of sets the load dialog lists: the count when it is a plain whole number no
// larger than the sets present, else the number of set sections present. Never more
// sections than exist are read.
int listedSetCount(const std::string& path);

// The "SaveName" of each listed set, in set order ("Default" for a set without a name).
std::vector<std::string> listSetNames(const std::string& path);

// A reason why `name` or `lists` cannot be stored without breaking the file's structure
// (a line break or NUL in the name or a value, a key the profile rules refuse); nullopt
// when they can.
std::optional<std::string> setRefusal(std::string_view name, const EditorLists& lists);

struct SaveResult {
    platform::WriteOutcome outcome{}; // Refused before any write, or the first failed write
    int setNumber = 0;                // the number of the set section written
};

// SaveSettingSet: appends the set `name` holding `lists` as section Save<n>. n is one more
// than the count; a count that is not a plain whole number, or smaller than the sets present,
// counts the sets present instead, so no saved set is overwritten. The count is raised first,
// then "SaveName", then each row's name and value in row order. Stops at the first failed
// write; refuses before writing anything when setRefusal gives a reason.
SaveResult saveSettingSet(const std::string& path, std::string_view name, const EditorLists& lists);

// LoadSettingSet: the values of the set at 0-based `position` (section Save<position + 1>),
// one per name of `names`, looked up by those names; "Default" for a missing key or section.
std::vector<std::string> loadSettingSet(const std::string& path, int position,
                                        const std::vector<std::string>& names);

} // namespace velmora::sets
