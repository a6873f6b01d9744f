#include "profile_encoding.h"

#include <array>
#include <cstdint>

namespace velmora::platform::profile {

namespace {

// Code page 1252's bytes 0x80 to 0x9F; the five it leaves undefined map to the same code
// point, as Windows maps them.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::uint16_t toUnicode(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F) {
        return kHighControls[c - 0x80u];
    }
    return c;
}

char toAnsi(std::uint16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

bool startsWithUtf16LeMark(std::string_view bytes)
{
    return bytes.starts_with("\xFF\xFE");
}

bool startsWithUtf16BeMark(std::string_view bytes)
{
    return bytes.starts_with("\xFE\xFF");
}

std::string utf16LeToAnsi(std::string_view bytesAfterMark)
{
    std::string ansi;
    ansi.reserve(bytesAfterMark.size() / 2);
    for (std::size_t i = 0; i + 1 < bytesAfterMark.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytesAfterMark[i]);
        const auto high = static_cast<unsigned char>(bytesAfterMark[i + 1]);
        ansi.push_back(toAnsi(static_cast<std::uint16_t>(low | (high << 8))));
    }
    return ansi;
}

std::string ansiToUtf16Le(std::string_view ansi)
{
    std::string units;
    units.reserve(ansi.size() * 2);
    for (const char c : ansi) {
        const std::uint16_t unit = toUnicode(static_cast<unsigned char>(c));
        units.push_back(static_cast<char>(unit & 0xFF));
        units.push_back(static_cast<char>(unit >> 8));
    }
    return units;
}

} // namespace velmora::platform::profile
