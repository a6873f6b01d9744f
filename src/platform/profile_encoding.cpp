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
    // Unit by unit, so that even each half of a surrogate pair keeps its own character.
    for (const char16_t unit : utf16FromLeBytes(bytesAfterMark)) {
        ansi.append(cp1252FromUtf16(std::u16string_view(&unit, 1)));
    }
    return ansi;
}

std::string ansiToUtf16Le(std::string_view ansi)
{
    return utf16LeBytes(utf16FromCp1252(ansi));
}

} // namespace velmora::platform::profile
