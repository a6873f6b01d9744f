// Fuzzes the profile engine's text layer: random file bytes, random section, key and value.
// Beyond "no crash" it checks, for every input:
//  - a read through a small buffer is the start of the read through an unlimited one, and a
//    read never returns a line break;
//  - a write is refused exactly when the arguments or the file would break the structure;
//  - after a write, the key reads back as the value would read from the file (blanks at both
//    ends dropped, then one matching outer pair of quotes removed);
//  - every other key of the file reads as before;
//  - the bytes before and after the changed place are the old bytes, and the removed part
//    lies inside one line.

#include "platform/profile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

using velmora::platform::profileReadText;
using velmora::platform::profileWriteText;
using velmora::platform::WriteStatus;

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "profile invariant broken: %s\n", what);
        std::abort();
    }
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view trim(std::string_view s, bool (*blank)(char))
{
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool isSpace(char c)
{
    return c == ' ';
}

// The value as the read rules give it back from a file line.
std::string readable(std::string_view value)
{
    value = trim(value, isBlank);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool startsWithUtf16Le(std::string_view s)
{
    return s.starts_with("\xFF\xFE");
}

// The text the engine works on: a UTF-16LE file one character per code unit (ASCII kept,
// anything else as '?', which is enough to find names).
std::string asText(std::string_view contents)
{
    if (!startsWithUtf16Le(contents)) {
        return std::string(contents);
    }
    std::string text;
    for (std::size_t i = 2; i + 1 < contents.size(); i += 2) {
        const unsigned unit = static_cast<unsigned char>(contents[i]) |
                              static_cast<unsigned>(static_cast<unsigned char>(contents[i + 1]))
                                  << 8;
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
}

struct Name {
    std::string section;
    std::string key;
};

// Section and key names of the file, found by a simple reading of its lines.
std::vector<Name> namesIn(std::string_view text)
{
    std::vector<Name> names;
    std::string section;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = trim(text.substr(0, end), isBlank);
        text.remove_prefix(end == text.size() ? end : end + 1);
        if (line.starts_with('[')) {
            section = trim(line.substr(1, line.find(']') - 1), isBlank);
            inSection = true;
        } else if (inSection && !line.starts_with(';') && line.find('=') != line.npos) {
            names.push_back({section, std::string(trim(line.substr(0, line.find('=')), isBlank))});
        }
    }
    return names;
}

// Names the engine might take for the same one (it folds case in code page 1252).
bool maySameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        const bool same = x == y || (x >= 0x80 && y >= 0x80) ||
                          (std::tolower(x) == std::tolower(y) && x < 0x80 && y < 0x80);
        if (!same) {
            return false;
        }
    }
    return true;
}

bool hasBreakOrNul(std::string_view s)
{
    return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos;
}

bool hasOuterTab(std::string_view s)
{
    return trim(s, isBlank).size() != s.size();
}

bool shouldRefuse(std::string_view contents, std::string_view section, std::string_view key,
                  std::string_view value)
{
    section = trim(section, isSpace);
    key = trim(key, isSpace);
    return section.empty() || key.empty() || hasBreakOrNul(section) || hasBreakOrNul(key) ||
           hasBreakOrNul(value) || section.find(']') != section.npos || key.find('=') != key.npos ||
           key.front() == ';' || key.front() == '[' || hasOuterTab(section) || hasOuterTab(key) ||
           contents.starts_with("\xFE\xFF") ||
           (startsWithUtf16Le(contents) && contents.size() % 2 != 0);
}

void checkRead(std::string_view contents, std::string_view section, std::string_view key,
               std::size_t bufferSize)
{
    const std::string full = profileReadText(contents, section, key, "Dflt  ", SIZE_MAX);
    const std::string cut = profileReadText(contents, section, key, "Dflt  ", bufferSize);
    require(cut == (bufferSize == 0 ? std::string() : full.substr(0, bufferSize - 1)),
            "a small buffer gives the start of the value");
    require(full.find_first_of("\r\n") == full.npos, "a value holds no line break");
}

// The file as a sequence of units: bytes, or code units for a UTF-16LE file.
std::vector<unsigned> unitsOf(std::string_view contents)
{
    std::vector<unsigned> units;
    if (startsWithUtf16Le(contents)) {
        for (std::size_t i = 0; i + 1 < contents.size(); i += 2) {
            units.push_back(static_cast<unsigned char>(contents[i]) |
                            static_cast<unsigned>(static_cast<unsigned char>(contents[i + 1]))
                                << 8);
        }
    } else {
        for (const char c : contents) {
            units.push_back(static_cast<unsigned char>(c));
        }
    }
    return units;
}

void checkOnlyOneLineChanged(std::string_view before, std::string_view after)
{
    const std::vector<unsigned> a = unitsOf(before);
    const std::vector<unsigned> b = unitsOf(after);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    for (std::size_t i = head; i < a.size() - tail; ++i) {
        require(a[i] != '\r' && a[i] != '\n', "the removed text lies inside one line");
    }
}

void checkWrite(const std::string& contents, const std::string& section, const std::string& key,
                const std::string& value, const std::vector<Name>& names)
{
    const auto edit = profileWriteText(contents, section, key, value);
    require((edit.status == WriteStatus::Refused) == shouldRefuse(contents, section, key, value),
            "refused exactly when the structure would break");
    if (edit.status == WriteStatus::Refused) {
        require(!edit.reason.empty(), "a refusal says why");
        return;
    }
    const std::string& after = edit.status == WriteStatus::Written ? edit.contents : contents;
    require(edit.status != WriteStatus::Written || after != contents, "a write changes the file");
    require(profileReadText(after, section, key, "", SIZE_MAX) == readable(value),
            "the key reads back as written");
    if (edit.status != WriteStatus::Written) {
        return;
    }
    checkOnlyOneLineChanged(contents, after);
    const std::string_view s = trim(section, isSpace);
    const std::string_view k = trim(key, isSpace);
    for (const Name& other : names) {
        if (maySameName(other.section, s) && maySameName(other.key, k)) {
            continue;
        }
        require(profileReadText(contents, other.section, other.key, "-", SIZE_MAX) ==
                    profileReadText(after, other.section, other.key, "-", SIZE_MAX),
                "every other key reads as before");
    }
}

// At most 32 names, spread over the file, so that a large file stays quick.
std::vector<Name> sample(std::vector<Name> names)
{
    if (names.size() <= 32) {
        return names;
    }
    std::vector<Name> picked;
    for (std::size_t i = 0; i < 32; ++i) {
        picked.push_back(names[i * names.size() / 32]);
    }
    return picked;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto choice = in.ConsumeIntegral<std::uint16_t>();
    const auto bufferSize = in.ConsumeIntegralInRange<std::size_t>(0, 300);
    std::string section = in.ConsumeRandomLengthString(40);
    std::string key = in.ConsumeRandomLengthString(40);
    const std::string value = in.ConsumeRandomLengthString(300);
    const std::string contents = in.ConsumeRemainingBytesAsString();

    const std::vector<Name> names = namesIn(asText(contents));
    // Mostly aim at names the file has, so that replacing a key is tried as often as adding.
    if ((choice & 3) != 0 && !names.empty()) {
        const Name& name = names[(choice >> 2) % names.size()];
        section = name.section;
        if ((choice & 3) != 1) {
            key = name.key;
        }
    }
    checkRead(contents, section, key, bufferSize);
    checkWrite(contents, section, key, value, sample(names));
    return 0;
}
