#include "profile_encoding.h"

#include "codepage.h"

namespace velmora::platform::profile {

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
        const auto unit = static_cast<char16_t>(low | high << 8);
        // Unit by unit, so that even each half of a surrogate pair keeps its own character.
        ansi.append(cp1252FromUtf16(std::u16string_view(&unit, 1)));
    }
    return ansi;
}

std::string ansiToUtf16Le(std::string_view ansi)
{
    std::string bytes;
    bytes.reserve(ansi.size() * 2);
    for (const char16_t unit : utf16FromCp1252(ansi)) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

} // namespace velmora::platform::profile
