#pragma once

#include <QString>

namespace velmora::toolkit {
class DialogService;
class DocumentOpener;
} // namespace velmora::toolkit

namespace velmora::mainwin {

// Opens the help document `path` with the desktop; when that fails, a critical message
// names the path.
void OpenHelpFile(toolkit::DocumentOpener& opener, toolkit::DialogService& dialogs,
                  const QString& path);

} // namespace velmora::mainwin
