#include "documentopener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace velmora::toolkit {

bool QtDocumentOpener::open(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace velmora::toolkit
