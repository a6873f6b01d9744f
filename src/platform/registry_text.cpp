#include "registry_text.h"

#include "text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace velmora::platform {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

constexpr std::string_view kBlanks = " \t";

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// Digits of `base` at `pos`, at most `maxDigits`; pos moves past them.
unsigned readDigits(std::string_view text, std::size_t& pos, unsigned base, std::size_t maxDigits)
{
    const Digits digits = leadingDigits(text.substr(pos), base, maxDigits);
    pos += digits.used;
    return static_cast<unsigned>(digits.value);
}

// One escape after a backslash at `pos` (which moves past it), as Wine's parser reads it.
void decodeEscape(std::string_view text, std::size_t& pos, std::u16string& out)
{
    static constexpr std::string_view letters = "abefnrtv";
    static constexpr std::string_view controls = "\a\b\x1b\f\n\r\t\v";
    const char c = text[pos];
    if (const std::size_t i = letters.find(c); i != std::string_view::npos) {
        out.push_back(static_cast<char16_t>(controls[i]));
        ++pos;
    } else if (c == 'x' && pos + 1 < text.size() &&
               std::isxdigit(static_cast<unsigned char>(text[pos + 1]))) {
        ++pos;
        out.push_back(static_cast<char16_t>(readDigits(text, pos, 16, 4)));
    } else if (c >= '0' && c <= '7') {
        out.push_back(static_cast<char16_t>(readDigits(text, pos, 8, 3)));
    } else {
        appendUtf16(out, decodeUtf8(text, pos));
    }
}

// Wine's escaped text from the start of `text` to the first unescaped `end`; `next` gets the
// position after that. nullopt when the line ends first: a string is never continued.
std::optional<std::u16string> decodeEscaped(std::string_view text, char end, std::size_t& next)
{
    std::u16string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == end) {
            next = pos + 1;
            return out;
        }
        if (text[pos] != '\\')
            appendUtf16(out, decodeUtf8(text, pos));
        else if (++pos < text.size())
            decodeEscape(text, pos, out);
    }
    return std::nullopt;
}

// A key path made comparable: components folded, empty ones dropped, joined by '\'.
std::string normalKeyPath(std::string_view path)
{
    std::string normal;
    while (!path.empty()) {
        const std::size_t end = path.find('\\');
        const std::string_view component = path.substr(0, end);
        if (!component.empty()) {
            if (!normal.empty())
                normal += '\\';
            normal += foldCase(component);
        }
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return normal;
}

std::optional<std::string> parseKeyLine(std::string_view line)
{
    std::size_t next = 0;
    const auto path = decodeEscaped(line.substr(1), ']', next);
    if (!path)
        return std::nullopt;
    std::string normal = normalKeyPath(utf8FromUtf16(*path));
    if (normal.empty())
        return std::nullopt;
    return normal;
}

// Comma-separated bytes of a `hex:` list, continued on the next lines after a backslash.
std::optional<std::string>
parseHexList(std::string_view text, const std::vector<std::string_view>& lines, std::size_t& index)
{
    std::string bytes;
    for (;;) {
        while (!text.empty() && std::isxdigit(static_cast<unsigned char>(text.front()))) {
            std::size_t pos = 0;
            const unsigned value = readDigits(text, pos, 16, 8);
            if (value > 0xFF)
                return std::nullopt;
            bytes.push_back(static_cast<char>(value));
            text = trimLeft(text.substr(pos), kBlanks);
            if (!text.empty() && text.front() == ',')
                text = trimLeft(text.substr(1), kBlanks);
        }
        text = trimRight(text, kBlanks);
        if (text.empty())
            return bytes;
        if (text.front() != '\\' || ++index >= lines.size())
            return std::nullopt;
        text = trimLeft(lines[index], kBlanks);
    }
}

// The data after "=": its type from the tag, its bytes as Windows would store them.
std::optional<RegistryValue>
parseData(std::string_view text, const std::vector<std::string_view>& lines, std::size_t& index)
{
    struct Tag {
        std::string_view text;
        std::uint32_t type;
    };
    static constexpr std::array<Tag, 4> strings = {{{"\"", kRegSz},
                                                    {"str:\"", kRegSz},
                                                    {"str(2):\"", kRegExpandSz},
                                                    {"str(7):\"", kRegMultiSz}}};
    for (const Tag& tag : strings) {
        if (!text.starts_with(tag.text))
            continue;
        std::size_t next = 0;
        auto decoded = decodeEscaped(text.substr(tag.text.size()), '"', next);
        if (!decoded)
            return std::nullopt;
        decoded->push_back(u'\0');
        return RegistryValue{tag.type, utf16LeBytes(*decoded)};
    }
    if (text.starts_with("dword:")) {
        std::size_t pos = 6;
        const unsigned value = readDigits(text, pos, 16, 8);
        if (pos == 6)
            return std::nullopt;
        std::string bytes;
        for (unsigned shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
        return RegistryValue{kRegDword, bytes};
    }
    std::uint32_t type = kRegBinary;
    if (text.starts_with("hex(")) {
        std::size_t pos = 4;
        type = readDigits(text, pos, 16, 8);
        if (pos == 4 || text.substr(pos, 2) != "):")
            return std::nullopt;
        text.remove_prefix(pos + 2);
    } else if (text.starts_with("hex:")) {
        text.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    auto bytes = parseHexList(text, lines, index);
    if (!bytes)
        return std::nullopt;
    return RegistryValue{type, std::move(*bytes)};
}

struct NamedValue {
    std::string name; // folded
    RegistryValue value;
};

std::optional<NamedValue> parseValueLine(std::string_view line,
                                         const std::vector<std::string_view>& lines,
                                         std::size_t& index)
{
    std::u16string name;
    std::size_t next = 1;
    if (line.front() == '"') {
        auto decoded = decodeEscaped(line.substr(1), '"', next);
        if (!decoded)
            return std::nullopt;
        name = std::move(*decoded);
        ++next;
    }
    line = trimLeft(line.substr(next), kBlanks);
    if (line.empty() || line.front() != '=')
        return std::nullopt;
    auto value = parseData(trimLeft(line.substr(1), kBlanks), lines, index);
    if (!value)
        return std::nullopt;
    return NamedValue{foldCase(utf8FromUtf16(name)), std::move(*value)};
}

} // namespace

std::optional<RegistryHive> RegistryHive::parse(std::string_view text)
{
    const std::vector<std::string_view> lines = splitLines(text);
    if (lines.empty() || lines.front() != kHeader)
        return std::nullopt;
    RegistryHive hive;
    std::map<std::string, RegistryValue>* key = nullptr;
    for (std::size_t index = 1; index < lines.size(); ++index) {
        const std::string_view line = trimLeft(lines[index], kBlanks);
        if (line.starts_with('[')) {
            const auto path = parseKeyLine(line);
            key = path ? &hive.m_keys[*path] : nullptr;
        } else if (line.starts_with('"') || line.starts_with('@')) {
            auto named = parseValueLine(line, lines, index);
            if (named && key)
                (*key)[named->name] = std::move(named->value);
        }
        // Comments, options and lines Wine does not recognise are skipped, as Wine skips them.
    }
    return hive;
}

const RegistryValue* RegistryHive::find(std::string_view keyPath, std::string_view valueName) const
{
    const auto key = m_keys.find(normalKeyPath(keyPath));
    if (key == m_keys.end())
        return nullptr;
    const auto value = key->second.find(foldCase(valueName));
    return value == key->second.end() ? nullptr : &value->second;
}

std::u16string registryValueText(const RegistryValue* value)
{
    if (value == nullptr)
        return {};
    const std::string& data = value->data;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
    std::u16string text;
    if (value->type == kRegSz) {
        text = utf16FromLeBytes(data);
        text.resize(std::min(text.size(), text.find(u'\0')));
    } else if (value->type == kRegBinary && (data.size() == 1 || data.size() == 2)) {
        // The game's reader receives the bytes into a 16-bit integer, so longer data has no
        // sound reading and gives empty text.
        const auto raw =
            static_cast<std::uint16_t>(byte(0) | (data.size() == 2 ? byte(1) << 8 : 0));
        for (const char c : std::to_string(static_cast<std::int16_t>(raw)))
            text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

std::string QueryRegistryValue(const RegistryValue* value)
{
    return cp1252FromUtf16(registryValueText(value));
}

std::string ReadRegistryString(const RegistryHive& hive, std::string_view keyPath,
                               std::string_view valueName)
{
    return QueryRegistryValue(hive.find(keyPath, valueName));
}

} // namespace velmora::platform
