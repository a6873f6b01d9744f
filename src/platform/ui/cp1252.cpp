#include "cp1252.h"

#include "platform/codepage.h"

namespace velmora::platform::ui {

QString fromCp1252(std::string_view bytes)
{
    return QString::fromStdU16String(platform::utf16FromCp1252(bytes));
}

std::string toCp1252(const QString& text)
{
    return platform::cp1252FromUtf16(text.toStdU16String());
}

} // namespace velmora::platform::ui
