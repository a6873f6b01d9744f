#include "documentopener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace velmora::platform::ui {

bool QtDocumentOpener::open(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace velmora::platform::ui
