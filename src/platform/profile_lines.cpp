#include "profile_lines.h"

#include "text.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora::platform::profile {

namespace {

constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<unsigned char>(i);
    }
    for (std::size_t c = 'A'; c <= 'Z'; ++c) {
        table[c] = static_cast<unsigned char>(c + 0x20);
    }
    // Code page 1252's accented capitals, except the multiplication sign.
    for (std::size_t c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) {
            table[c] = static_cast<unsigned char>(c + 0x20);
        }
    }
    table[0x8A] = 0x9A; // S caron
    table[0x8C] = 0x9C; // OE
    table[0x8E] = 0x9E; // Z caron
    table[0x9F] = 0xFF; // Y diaeresis
    return table;
}

constexpr auto kFold = makeFoldTable();

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

#if defined(__SSE2__)
// Bytes of the 16 at `at` that are '[' after a control character or a space.
inline int bracketsAfterBreak(const char* at)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
    const __m128i isBracket = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('['));
    const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(before, _mm_set1_epi8(' ')), before);
    return _mm_movemask_epi8(_mm_and_si128(isBracket, low));
}

// The first '[' at or after `pos` that follows a control character or a space (the caller
// checks for a line start), 32 bytes at a time. In real files most '[' belong to array keys
// such as "Paths[3]=", and stopping at each of them, or even branching on them, costs more
// than reading the file.
std::size_t findBracketAfterBreak(std::string_view text, std::size_t pos)
{
    const char* data = text.data();
    if (pos == 0 && !text.empty() && data[0] == '[') {
        return 0;
    }
    pos = pos == 0 ? 1 : pos;
    for (; pos + 32 <= text.size(); pos += 32) {
        const auto hits = static_cast<unsigned>(bracketsAfterBreak(data + pos)) |
                          static_cast<unsigned>(bracketsAfterBreak(data + pos + 16)) << 16;
        if (hits != 0) {
            return pos + static_cast<std::size_t>(__builtin_ctz(hits));
        }
    }
    for (; pos < text.size(); ++pos) {
        if (data[pos] == '[' && static_cast<unsigned char>(data[pos - 1]) <= ' ') {
            return pos;
        }
    }
    return std::string_view::npos;
}
#else
std::size_t findBracketAfterBreak(std::string_view text, std::size_t pos)
{
    return text.find('[', pos);
}
#endif

struct HeaderAt {
    std::size_t lineBegin = 0;
    std::size_t bracket = 0;
};

// The first header whose '[' is at or after `from`. A '[' is found first and kept only when
// nothing but blanks stands between it and its line's start, so lines that are not headers
// cost no per-line work.
std::optional<HeaderAt> nextHeader(std::string_view text, std::size_t from)
{
    std::size_t pos = from;
    while (pos < text.size()) {
        const std::size_t bracket = findBracketAfterBreak(text, pos);
        if (bracket == std::string_view::npos) {
            return std::nullopt;
        }
        std::size_t start = bracket;
        while (start > 0 && isBlank(text[start - 1])) {
            --start;
        }
        if (start == 0 || isLineBreak(text[start - 1])) {
            return HeaderAt{start, bracket};
        }
        pos = bracket + 1;
    }
    return std::nullopt;
}

// The name of the header whose '[' is at `bracket`: up to the first ']' or the line's end.
std::string_view headerName(std::string_view text, std::size_t bracket)
{
    std::size_t end = bracket + 1;
    while (end < text.size() && text[end] != ']' && !isLineBreak(text[end])) {
        ++end;
    }
    return trim(text.substr(bracket + 1, end - bracket - 1), kBlanks);
}

} // namespace

Line lineAt(std::string_view text, std::size_t begin)
{
    std::size_t pos = begin;
    while (pos < text.size() && !isLineBreak(text[pos])) {
        ++pos;
    }
    Line line{begin, pos, pos};
    if (pos < text.size()) {
        line.end = pos + 1;
        if (text[pos] == '\r' && line.end < text.size() && text[line.end] == '\n') {
            ++line.end;
        }
    }
    return line;
}

bool namesMatch(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])]) {
            return false;
        }
    }
    return true;
}

LineParts classifyLine(std::string_view lineChars)
{
    std::size_t first = 0;
    while (first < lineChars.size() && isBlank(lineChars[first])) {
        ++first;
    }
    const std::string_view rest = lineChars.substr(first);
    if (rest.empty()) {
        return {};
    }
    if (rest.front() == '[') {
        const std::string_view inside = rest.substr(1);
        return {LineKind::Header, trim(inside.substr(0, inside.find(']')), kBlanks), 0};
    }
    if (rest.front() == ';') {
        return {LineKind::Comment, {}, 0};
    }
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    std::size_t valueBegin = first + equals + 1;
    while (valueBegin < lineChars.size() && isBlank(lineChars[valueBegin])) {
        ++valueBegin;
    }
    return {LineKind::Key, trim(rest.substr(0, equals), kBlanks), valueBegin};
}

std::string_view readableValue(std::string_view raw)
{
    std::string_view value = trim(raw, kBlanks);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::optional<Line> findSection(std::string_view text, std::string_view name)
{
    std::size_t pos = 0;
    while (const auto header = nextHeader(text, pos)) {
        if (namesMatch(headerName(text, header->bracket), name)) {
            return lineAt(text, header->lineBegin);
        }
        pos = header->bracket + 1;
    }
    return std::nullopt;
}

KeySearch findKey(std::string_view text, std::size_t bodyBegin, std::string_view key)
{
    KeySearch search;
    std::size_t pos = bodyBegin;
    while (pos < text.size()) {
        const Line line = lineAt(text, pos);
        const LineParts parts = classifyLine(lineText(text, line));
        if (parts.kind == LineKind::Header) {
            break;
        }
        if (parts.kind == LineKind::Key) {
            if (namesMatch(parts.name, key)) {
                search.match = line;
                return search;
            }
            search.lastKey = line;
        }
        pos = line.end;
    }
    return search;
}

} // namespace velmora::platform::profile
