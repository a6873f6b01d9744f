#pragma once

// The setting-set store `Velmora.ini`: section "Velmora" holds the count "SaveNumber";
// sections Save1 .. SaveN hold one set each, its "SaveName" and the editor's fifteen row
// names with the values the editor showed. Every operation re-reads the file, with the
// profile rules ("Default" for a missing name, values cut to 254 characters).

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

// The largest set number and count the store takes; larger ones count as not a number.
inline constexpr int kMaxSetNumber = 999'999'999;

// The count text as stored: "Default" when the key or the file is missing.
std::string readCountText(const std::string& path);

// What the editor's activation found in the store.
struct StoreStatus {
    std::string countText;            // shown as "Found <countText> saved settings"
    int count = 0;                    // the number of saved sets
    platform::WriteOutcome outcome{}; // of creating the store or repairing its count
};

// Creates the store with "SaveNumber" = "0" when the file is missing; ok when it exists.
platform::WriteOutcome createStore(const std::string& path);

// createStore, then reads the count.
// A count that is not a plain whole number is rewritten as the highest set number present,
// so that no saved set is ever overwritten; countText is then that number.
StoreStatus openStore(const std::string& path);

struct StoredSet {
    int number = 0;   // of its section Save<number>
    std::string name; // its "SaveName"; "Default" without one

    friend bool operator==(const StoredSet&, const StoredSet&) = default;
};

// The sets the load dialog lists, from one read of the file: every section Save<N> present
// (the first of a repeated name) with 1 <= N <= the count, in ascending N. A count that is not
// a plain whole number counts as the highest N present.
std::vector<StoredSet> listSets(const std::string& path);

// A reason why `name` or `lists` cannot be stored (a line break or NUL in the name or a
// value, a key the profile rules refuse); nullopt when they can.
std::optional<std::string> setRefusal(std::string_view name, const EditorLists& lists);

inline constexpr std::string_view kNameOutsideCodePage =
    "A set name can hold only characters of the Windows-1252 code page.";

// `name` in code page 1252, or nullopt when it holds a character that code page lacks.
std::optional<std::string> setNameInCodePage(std::u16string_view name);

struct SaveResult {
    platform::WriteOutcome outcome{}; // Refused or Failed: nothing was written
    int setNumber = 0;                // the number of the set section written
};

// SaveSettingSet: adds the set `name` holding `lists` as section Save<n>, n one above the
// highest of the count and every set number present, and raises the count to n, in one atomic
// replace of the file. Values and the name that a read would alter are stored quoted, so they
// read back as saved. Refuses, writing nothing, when setRefusal gives a reason or n would pass
// kMaxSetNumber.
SaveResult saveSettingSet(const std::string& path, std::string_view name, const EditorLists& lists);

// LoadSettingSet: the values of set `number`, one per name of `names`, looked up by those
// names; nullopt for a key the set lacks. nullopt as a whole when the set's section is gone.
std::optional<std::vector<std::optional<std::string>>>
loadSettingSet(const std::string& path, int number, const std::vector<std::string>& names);

} // namespace velmora::sets
