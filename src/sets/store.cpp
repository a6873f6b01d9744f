#include "sets/store.h"

#include "config/readmodule.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <algorithm>
#include <map>

namespace velmora::sets {
namespace {

using config::ReadModule;

constexpr std::string_view kSectionPrefix = "save";

std::string readValue(const std::string& path, std::string_view section, std::string_view key)
{
    return platform::getProfileString(path, section, key, ReadModule::kDefault,
                                      ReadModule::kBufferSize);
}

// The number N of a section named Save<N> as the program names them (any letter case), else
// nullopt.
std::optional<int> setNumberOf(std::string_view section)
{
    if (section.size() <= kSectionPrefix.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kSectionPrefix.size(); ++i) {
        if ((section[i] | 0x20) != kSectionPrefix[i]) {
            return std::nullopt;
        }
    }
    const std::string_view digits = section.substr(kSectionPrefix.size());
    const auto number = parseCount(digits);
    if (!number || *number == 0 || digits.front() == '0') {
        return std::nullopt;
    }
    return number;
}

// Every set section of the file by number with its "SaveName", the first section of a
// repeated number winning as in a read. One pass over the file.
std::map<int, std::string> setsPresent(const std::string& path)
{
    std::map<int, std::string> sets;
    const auto contents = platform::readWholeFile(path);
    if (!contents) {
        return sets;
    }
    for (auto& [section, name] :
         platform::profileSectionValues(*contents, kNameKey, ReadModule::kBufferSize)) {
        if (const auto number = setNumberOf(section)) {
            sets.try_emplace(*number, name ? std::move(*name) : std::string(ReadModule::kDefault));
        }
    }
    return sets;
}

int highestNumber(const std::map<int, std::string>& sets)
{
    return sets.empty() ? 0 : sets.rbegin()->first;
}

bool breaksLine(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

std::string setFilePathIn(const std::string& currentDirectory)
{
    return platform::fullPathName(std::string(kStoreFileName), currentDirectory);
}

std::string setSectionName(int number)
{
    return "Save" + std::to_string(number);
}

std::optional<int> parseCount(std::string_view text)
{
    const auto value = text.size() <= 9 ? platform::decimalNumber(text) : std::nullopt;
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::string readCountText(const std::string& path)
{
    return readValue(path, kStoreSection, kCountKey);
}

platform::WriteOutcome createStore(const std::string& path)
{
    if (platform::fileExists(path)) {
        return {};
    }
    return platform::writeProfileString(path, kStoreSection, kCountKey, "0");
}

StoreStatus openStore(const std::string& path)
{
    StoreStatus status;
    status.outcome = createStore(path);
    status.countText = readCountText(path);
    if (const auto count = parseCount(status.countText)) {
        status.count = *count;
        return status;
    }
    status.count = highestNumber(setsPresent(path));
    status.countText = std::to_string(status.count);
    auto repair = platform::writeProfileString(path, kStoreSection, kCountKey, status.countText);
    if (status.outcome.ok()) {
        status.outcome = std::move(repair);
    }
    return status;
}

std::vector<StoredSet> listSets(const std::string& path)
{
    std::map<int, std::string> present = setsPresent(path);
    const int count = parseCount(readCountText(path)).value_or(highestNumber(present));
    std::vector<StoredSet> sets;
    for (auto& [number, name] : present) {
        if (number > count) {
            break;
        }
        sets.push_back({number, std::move(name)});
    }
    return sets;
}

std::optional<std::string> setRefusal(std::string_view name, const EditorLists& lists)
{
    if (breaksLine(name)) {
        return "A set name cannot contain a line break.";
    }
    for (std::size_t i = 0; i < lists.names.size() && i < lists.values.size(); ++i) {
        if (breaksLine(lists.values[i])) {
            return "The value of " + lists.names[i] + " cannot contain a line break.";
        }
        const auto check = platform::profileWriteText("", "Save1", lists.names[i], lists.values[i]);
        if (check.status == platform::WriteStatus::Refused) {
            return "The setting " + lists.names[i] + " cannot be stored: " + check.reason;
        }
    }
    return std::nullopt;
}

std::optional<std::string> setNameInCodePage(std::u16string_view name)
{
    std::string bytes = platform::cp1252FromUtf16(name);
    if (platform::utf16FromCp1252(bytes) != name) {
        return std::nullopt;
    }
    return bytes;
}

SaveResult saveSettingSet(const std::string& path, std::string_view name, const EditorLists& lists)
{
    if (const auto why = setRefusal(name, lists)) {
        return {platform::WriteOutcome::refused(*why), 0};
    }
    const int highest =
        std::max(parseCount(readCountText(path)).value_or(0), highestNumber(setsPresent(path)));
    if (highest >= kMaxSetNumber) {
        return {platform::WriteOutcome::refused("The store holds the highest set number there "
                                                "can be; no further set can be added."),
                0};
    }
    SaveResult result;
    result.setNumber = highest + 1;
    const std::string section = setSectionName(result.setNumber);
    std::vector<platform::ProfileEdit> edits{
        {std::string(kStoreSection), std::string(kCountKey), std::to_string(result.setNumber)},
        {section, std::string(kNameKey), platform::profileQuotedValue(name)}};
    for (std::size_t i = 0; i < lists.names.size(); ++i) {
        edits.push_back(
            {section, lists.names[i], platform::profileQuotedValue(lists.values.at(i))});
    }
    result.outcome = platform::portable::writeProfileStrings(path, edits);
    return result;
}

std::optional<std::vector<std::optional<std::string>>>
loadSettingSet(const std::string& path, int number, const std::vector<std::string>& names)
{
    const auto contents = platform::readWholeFile(path);
    if (!contents) {
        return std::nullopt;
    }
    std::vector<std::optional<std::string>> values;
    bool found = false;
    for (const std::string& name : names) {
        // Only the first section of the name counts, as in a read.
        for (auto& entry :
             platform::profileSectionValues(*contents, name, ReadModule::kBufferSize)) {
            if (setNumberOf(entry.section) == number) {
                found = true;
                values.push_back(std::move(entry.value));
                break;
            }
        }
    }
    if (!found && !names.empty()) {
        return std::nullopt;
    }
    return values;
}

} // namespace velmora::sets
