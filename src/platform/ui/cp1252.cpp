#include "cp1252.h"

#include <array>
#include <cstdint>

namespace velmora::ui {

namespace {

// Characters of bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t charForByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[static_cast<std::size_t>(byte - 0x80)];
    }
    return byte;
}

char byteForChar(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<char>(ch);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

QString fromCp1252(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        text.append(QChar(charForByte(static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string toCp1252(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        // A surrogate pair is one character outside the code page: one '?' for its high half.
        if (ch.isLowSurrogate()) {
            continue;
        }
        bytes.push_back(byteForChar(ch.unicode()));
    }
    return bytes;
}

} // namespace velmora::ui
