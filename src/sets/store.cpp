#include "sets/store.h"

#include "platform/fileio.h"
#include "platform/profile.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace velmora::sets {
namespace {

constexpr std::size_t kBufferSize = 255;
constexpr std::string_view kDefault = "Default";
constexpr std::string_view kBlanks = " \t\v";

std::string readValue(const std::string& path, std::string_view section, std::string_view key)
{
    return platform::getProfileString(path, section, key, kDefault, kBufferSize);
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return lower;
}

// Section names as the profile reader sees them: a line whose first non-blank character is
// '[' names a section up to its first ']' (or the line's end).
std::set<std::string> sectionNames(std::string_view contents)
{
    std::set<std::string> names;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = contents.size();
        }
        const std::string_view line = trimmed(contents.substr(start, end - start));
        if (!line.empty() && line.front() == '[') {
            const std::string_view inner = line.substr(1);
            names.insert(lowerCase(trimmed(inner.substr(0, inner.find(']')))));
        }
        start = end + 1;
    }
    return names;
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
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

int presentSetCount(const std::string& path)
{
    const auto contents = platform::readWholeFile(path);
    if (!contents) {
        return 0;
    }
    const std::set<std::string> names = sectionNames(*contents);
    int count = 0;
    while (names.count(lowerCase(setSectionName(count + 1))) != 0) {
        ++count;
    }
    return count;
}

std::string readCountText(const std::string& path)
{
    return readValue(path, kStoreSection, kCountKey);
}

StoreStatus openStore(const std::string& path)
{
    StoreStatus status;
    if (!platform::fileExists(path)) {
        status.outcome = platform::writeProfileString(path, kStoreSection, kCountKey, "0");
    }
    status.countText = readCountText(path);
    if (const auto count = parseCount(status.countText)) {
        status.count = *count;
        return status;
    }
    status.count = presentSetCount(path);
    status.countText = std::to_string(status.count);
    auto repair = platform::writeProfileString(path, kStoreSection, kCountKey, status.countText);
    if (status.outcome.ok()) {
        status.outcome = std::move(repair);
    }
    return status;
}

int listedSetCount(const std::string& path)
{
    const int present = presentSetCount(path);
    const auto count = parseCount(readCountText(path));
    return count && *count <= present ? *count : present;
}

std::vector<std::string> listSetNames(const std::string& path)
{
    std::vector<std::string> names;
    const int count = listedSetCount(path);
    for (int number = 1; number <= count; ++number) {
        names.push_back(readValue(path, setSectionName(number), kNameKey));
    }
    return names;
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

SaveResult saveSettingSet(const std::string& path, std::string_view name, const EditorLists& lists)
{
    if (const auto why = setRefusal(name, lists)) {
        return {platform::WriteOutcome::refused(*why), 0};
    }
    const int present = presentSetCount(path);
    const int counted = parseCount(readCountText(path)).value_or(present);
    SaveResult result;
    result.setNumber = std::max(counted, present) + 1;
    const std::string section = setSectionName(result.setNumber);
    result.outcome = platform::writeProfileString(path, kStoreSection, kCountKey,
                                                  std::to_string(result.setNumber));
    if (result.outcome.ok()) {
        result.outcome = platform::writeProfileString(path, section, kNameKey, name);
    }
    for (std::size_t i = 0; result.outcome.ok() && i < lists.names.size(); ++i) {
        result.outcome =
            platform::writeProfileString(path, section, lists.names[i], lists.values.at(i));
    }
    return result;
}

std::vector<std::string> loadSettingSet(const std::string& path, int position,
                                        const std::vector<std::string>& names)
{
    const std::string section = setSectionName(position + 1);
    std::vector<std::string> values;
    values.reserve(names.size());
    for (const std::string& name : names) {
        values.push_back(readValue(path, section, name));
    }
    return values;
}

} // namespace velmora::sets
