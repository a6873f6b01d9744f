#include "codepage.h"

#include <algorithm>
#include <array>

namespace velmora::platform {
namespace {
constexpr char32_t kReplacement = 0xFFFD;

// Code page 1252 bytes 0x80 to 0x9F; the rest of the upper half is Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isContinuation(std::string_view text, std::size_t pos)
{
    return pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80;
}

void appendUtf8(std::string& out, char32_t cp)
{
    const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

char16_t foldUnit(char16_t u)
{
    const bool even = u % 2 == 0;
    if ((u >= u'A' && u <= u'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7) ||
        (u >= 0x391 && u <= 0x3A9 && u != 0x3A2) || (u >= 0x410 && u <= 0x42F))
        return static_cast<char16_t>(u + 0x20);
    if (u >= 0x400 && u <= 0x40F)
        return static_cast<char16_t>(u + 0x50);
    if (u == 0x178)
        return 0xFF;
    if ((u >= 0x100 && u <= 0x137 && even && u != 0x130) || (u >= 0x14A && u <= 0x177 && even) ||
        (u >= 0x139 && u <= 0x148 && !even) || (u >= 0x179 && u <= 0x17E && !even))
        return static_cast<char16_t>(u + 1);
    return u;
}

} // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 1;
    char32_t cp = lead;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // overlong
        high = lead == 0xED ? 0x9F : 0xBF; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else if (lead >= 0x80) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(text, pos + i) || (i == 1 && (byte(1) < low || byte(1) > high))) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(i) & 0x3Fu);
    }
    pos += length;
    return cp;
}

void appendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

std::string cp1252FromUtf16(std::u16string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            bytes.push_back(static_cast<char>(unit));
            continue;
        }
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
            ++i;
        const auto* found = std::find(kCp1252High.begin(), kCp1252High.end(), unit);
        bytes.push_back(found == kCp1252High.end()
                            ? '?'
                            : static_cast<char>(0x80 + (found - kCp1252High.begin())));
    }
    return bytes;
}

std::string utf8FromCp1252(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80u] : byte);
    }
    return text;
}

std::u16string utf16FromUtf8(std::string_view text)
{
    std::u16string out;
    for (std::size_t pos = 0; pos < text.size();)
        appendUtf16(out, decodeUtf8(text, pos));
    return out;
}

std::string utf8FromUtf16(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800u) << 10) + (text[++i] - 0xDC00u));
        } else {
            const bool lone = isHighSurrogate(unit) || isLowSurrogate(unit);
            appendUtf8(out, lone ? kReplacement : unit);
        }
    }
    return out;
}

std::string foldCase(std::string_view text)
{
    std::u16string units = utf16FromUtf8(text);
    for (char16_t& unit : units)
        unit = foldUnit(unit);
    return utf8FromUtf16(units);
}

std::u16string utf16FromCp1252(std::string_view bytes)
{
    std::u16string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80u] : byte);
    }
    return text;
}

std::string utf16LeBytes(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string utf16FromLeBytes(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(low | high << 8));
    }
    return text;
}

} // namespace velmora::platform
