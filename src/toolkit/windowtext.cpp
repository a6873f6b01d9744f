#include "windowtext.h"

#include "platform/codepage.h"

#include <QByteArray>
#include <QFile>

namespace velmora::toolkit {

QString fromCp1252(std::string_view bytes)
{
    return QString::fromStdU16String(platform::utf16FromCp1252(bytes));
}

std::string toCp1252(const QString& text)
{
    return platform::cp1252FromUtf16(text.toStdU16String());
}

QString pathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString reasonText(const platform::WriteOutcome& outcome)
{
    switch (outcome.status) {
    case platform::WriteStatus::Refused:
        return fromCp1252(outcome.reason);
    case platform::WriteStatus::Failed:
        return QString::fromLocal8Bit(outcome.reason);
    case platform::WriteStatus::Written:
    case platform::WriteStatus::Unchanged:
        break;
    }
    return QString();
}

QString writeFailureText(const std::string& path, const platform::WriteOutcome& outcome)
{
    return QStringLiteral("Unable to write ") + pathText(path) + QStringLiteral(": ") +
           reasonText(outcome);
}

} // namespace velmora::toolkit
