#include "profile.h"
#include "profile_encoding.h"
#include "profile_lines.h"
#include "text.h"

#include <optional>

namespace velmora::platform {

namespace profile {
namespace {

using namespace std::string_view_literals;

// One edit of the text: `erase` characters at `at` replaced by `insert`.
struct Splice {
    std::size_t at = 0;
    std::size_t erase = 0;
    std::string insert;
};

std::string_view lookUp(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view defaultValue)
{
    if (const auto header = findSection(text, trim(section, " "))) {
        const KeySearch search = findKey(text, header->end, trim(key, " "));
        if (search.match) {
            const std::string_view chars = lineText(text, *search.match);
            return readableValue(chars.substr(classifyLine(chars).valueBegin));
        }
    }
    return trimRight(defaultValue, " ");
}

// The ending new lines get: the one the text's first line ends with, CRLF when none does.
std::string_view chooseLineEnding(std::string_view text)
{
    const std::size_t pos = text.find_first_of("\r\n");
    if (pos == std::string_view::npos) {
        return "\r\n";
    }
    if (text[pos] == '\n') {
        return "\n";
    }
    return text.substr(pos + 1).starts_with('\n') ? "\r\n" : "\r";
}

std::string keyLine(std::string_view key, std::string_view value, std::string_view ending)
{
    std::string line;
    line.reserve(key.size() + value.size() + 1 + ending.size());
    line.append(key).append("=").append(value).append(ending);
    return line;
}

// The value replaced from its first non-blank character to the line's end; a last line
// without an ending gets one.
std::optional<Splice> replaceValue(std::string_view text, const Line& line, std::string_view value,
                                   std::string_view ending)
{
    const std::size_t valueAt = line.begin + classifyLine(lineText(text, line)).valueBegin;
    const std::string_view old = text.substr(valueAt, line.textEnd - valueAt);
    if (old == value) {
        return std::nullopt;
    }
    Splice splice{valueAt, old.size(), std::string(value)};
    if (!line.hasEnding()) {
        splice.insert.append(ending);
    }
    return splice;
}

Splice appendKey(const Line& after, std::string_view key, std::string_view value,
                 std::string_view ending)
{
    Splice splice{after.end, 0, {}};
    if (!after.hasEnding()) {
        splice.insert.append(ending);
    }
    splice.insert.append(keyLine(key, value, ending));
    return splice;
}

Splice appendSection(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value, std::string_view ending)
{
    Splice splice{text.size(), 0, {}};
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') {
        splice.insert.append(ending);
    }
    splice.insert.append("[").append(section).append("]").append(ending);
    splice.insert.append(keyLine(key, value, ending));
    return splice;
}

// The edit that sets the key, or nothing when it already holds the value. Section and key
// are already trimmed and checked.
std::optional<Splice> planEdit(std::string_view text, std::string_view section,
                               std::string_view key, std::string_view value)
{
    const std::string_view ending = chooseLineEnding(text);
    const auto header = findSection(text, section);
    if (!header) {
        return appendSection(text, section, key, value, ending);
    }
    const KeySearch search = findKey(text, header->end, key);
    if (search.match) {
        return replaceValue(text, *search.match, value, ending);
    }
    return appendKey(search.lastKey ? *search.lastKey : *header, key, value, ending);
}

bool hasLineBreakOrNul(std::string_view s)
{
    return s.find_first_of("\r\n\0"sv) != s.npos;
}

bool hasOuterTabs(std::string_view s)
{
    return trim(s, kBlanks).size() != s.size();
}

// Why the arguments would break the file or could not be found again, or nothing.
std::optional<std::string> refusal(std::string_view section, std::string_view key,
                                   std::string_view value)
{
    if (section.empty()) {
        return "The section name is empty.";
    }
    if (key.empty()) {
        return "The key name is empty.";
    }
    if (hasLineBreakOrNul(section) || hasLineBreakOrNul(key) || hasLineBreakOrNul(value)) {
        return "A section name, key name or value may not contain a line break or NUL.";
    }
    if (section.find(']') != section.npos) {
        return "The section name may not contain ']'.";
    }
    if (key.find('=') != key.npos) {
        return "The key name may not contain '='.";
    }
    if (key.front() == ';' || key.front() == '[') {
        return "The key name may not start with ';' or '['.";
    }
    // The file's names lose tabs at their ends but the arguments do not, so such a name
    // would be written anew on every write and never read back.
    if (hasOuterTabs(section) || hasOuterTabs(key)) {
        return "A section or key name may not start or end with a tab or vertical tab.";
    }
    return std::nullopt;
}

std::string applySplice(std::string_view text, const Splice& splice)
{
    std::string result;
    result.reserve(text.size() - splice.erase + splice.insert.size());
    result.append(text.substr(0, splice.at));
    result.append(splice.insert);
    result.append(text.substr(splice.at + splice.erase));
    return result;
}

// A UTF-16LE file is edited as 8-bit text, one character per code unit, and the edit is
// applied to its code units, so every unit the edit does not touch is kept.
TextEdit editUtf16(std::string_view contents, std::string_view section, std::string_view key,
                   std::string_view value)
{
    if (contents.size() % 2 != 0) {
        return {WriteStatus::Refused, {}, "The file is not whole UTF-16 text (odd byte count)."};
    }
    const std::string ansi = utf16LeToAnsi(contents.substr(2));
    const auto splice = planEdit(ansi, section, key, value);
    if (!splice) {
        return {WriteStatus::Unchanged, {}, {}};
    }
    const Splice units{2 + 2 * splice->at, 2 * splice->erase, ansiToUtf16Le(splice->insert)};
    return {WriteStatus::Written, applySplice(contents, units), {}};
}

} // namespace
} // namespace profile

std::string profileReadText(std::string_view contents, std::string_view section,
                            std::string_view key, std::string_view defaultValue,
                            std::size_t bufferSize)
{
    if (bufferSize == 0) {
        return {};
    }
    std::string ansi;
    std::string_view text = contents;
    if (profile::startsWithUtf16LeMark(contents)) {
        ansi = profile::utf16LeToAnsi(contents.substr(2));
        text = ansi;
    }
    const std::string_view value = profile::lookUp(text, section, key, defaultValue);
    return std::string(value.substr(0, bufferSize - 1));
}

TextEdit profileWriteText(std::string_view contents, std::string_view section, std::string_view key,
                          std::string_view value)
{
    const std::string_view trimmedSection = trim(section, " ");
    const std::string_view trimmedKey = trim(key, " ");
    if (auto why = profile::refusal(trimmedSection, trimmedKey, value)) {
        return {WriteStatus::Refused, {}, std::move(*why)};
    }
    if (profile::startsWithUtf16BeMark(contents)) {
        return {WriteStatus::Refused,
                {},
                "The file is UTF-16 big-endian text, which profile files cannot be."};
    }
    if (profile::startsWithUtf16LeMark(contents)) {
        return profile::editUtf16(contents, trimmedSection, trimmedKey, value);
    }
    const auto splice = profile::planEdit(contents, trimmedSection, trimmedKey, value);
    if (!splice) {
        return {WriteStatus::Unchanged, {}, {}};
    }
    return {WriteStatus::Written, profile::applySplice(contents, *splice), {}};
}

std::vector<SectionValue> profileSectionValues(std::string_view contents, std::string_view key,
                                               std::size_t bufferSize)
{
    std::string ansi;
    std::string_view text = contents;
    if (profile::startsWithUtf16LeMark(contents)) {
        ansi = profile::utf16LeToAnsi(contents.substr(2));
        text = ansi;
    }
    const std::string_view wanted = trim(key, " ");
    std::vector<SectionValue> sections;
    for (std::size_t pos = 0; pos < text.size();) {
        const profile::Line line = profile::lineAt(text, pos);
        const std::string_view chars = profile::lineText(text, line);
        const profile::LineParts parts = profile::classifyLine(chars);
        if (parts.kind == profile::LineKind::Header) {
            sections.push_back({std::string(parts.name), std::nullopt});
        } else if (parts.kind == profile::LineKind::Key && !sections.empty() &&
                   !sections.back().value && profile::namesMatch(parts.name, wanted)) {
            const std::string_view value = profile::readableValue(chars.substr(parts.valueBegin));
            sections.back().value =
                std::string(value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1));
        }
        pos = line.end;
    }
    return sections;
}

std::vector<KeyValue> profileSectionKeys(std::string_view contents, std::string_view section)
{
    std::string ansi;
    std::string_view text = contents;
    if (profile::startsWithUtf16LeMark(contents)) {
        ansi = profile::utf16LeToAnsi(contents.substr(2));
        text = ansi;
    }
    std::vector<KeyValue> keys;
    const auto header = profile::findSection(text, trim(section, " "));
    for (std::size_t pos = header ? header->end : text.size(); pos < text.size();) {
        const profile::Line line = profile::lineAt(text, pos);
        const std::string_view chars = profile::lineText(text, line);
        const profile::LineParts parts = profile::classifyLine(chars);
        if (parts.kind == profile::LineKind::Header) {
            break;
        }
        if (parts.kind == profile::LineKind::Key) {
            keys.push_back({std::string(parts.name),
                            std::string(profile::readableValue(chars.substr(parts.valueBegin)))});
        }
        pos = line.end;
    }
    return keys;
}

std::string profileQuotedValue(std::string_view value)
{
    if (profile::readableValue(value) == value) {
        return std::string(value);
    }
    return "\"" + std::string(value) + "\"";
}

} // namespace velmora::platform
