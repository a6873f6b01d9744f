#pragma once

// The steps the profile engine is made of, over 8-bit profile text: split a line keeping its
// ending, classify it, find a section, find a key. Positions are offsets into the text, so
// nothing is copied while scanning.

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora::platform::profile {

// A line of the text: its characters run from `begin` to `textEnd`, its ending (CR, LF,
// CRLF, or nothing on a last line without one) from `textEnd` to `end`.
struct Line {
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;

    bool hasEnding() const { return end > textEnd; }
};

// The line that starts at `begin`, which must be the start of a line.
Line lineAt(std::string_view text, std::size_t begin);

// The characters of `line`, without its ending.
inline std::string_view lineText(std::string_view text, const Line& line)
{
    return text.substr(line.begin, line.textEnd - line.begin);
}

// Space, tab and vertical tab: the blanks the file's names and values lose. Section and key
// arguments lose spaces only, the default its trailing spaces (trim in text.h).
inline constexpr std::string_view kBlanks = " \t\v";
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

// Names compare without regard to case, in code page 1252.
bool namesMatch(std::string_view a, std::string_view b);

enum class LineKind { Header, Comment, Key, Other };

struct LineParts {
    LineKind kind = LineKind::Other;
    std::string_view name;      // the section name of a header, the key name of a key line
    std::size_t valueBegin = 0; // key line: where its value starts in the line's characters
};

// What the characters of a line are. A header's name runs to its first ']' (or to the end
// when there is none); a key line splits at its first '='; a ';' first makes a comment.
LineParts classifyLine(std::string_view lineChars);

// A value as it reads: blanks at both ends dropped, then one matching outer pair of '"' or
// '\'' removed.
std::string_view readableValue(std::string_view raw);

// The header line of the first section named `name`; lines before the first header belong
// to no section.
std::optional<Line> findSection(std::string_view text, std::string_view name);

struct KeySearch {
    std::optional<Line> match;   // the first line of the key
    std::optional<Line> lastKey; // without a match: the section's last key line
};

// Looks for `key` in the section whose body starts at `bodyBegin`, up to the next header.
KeySearch findKey(std::string_view text, std::size_t bodyBegin, std::string_view key);

} // namespace velmora::platform::profile
