#include "openhelpfile.h"

#include "toolkit/dialogs.h"
#include "toolkit/documentopener.h"

namespace velmora::mainwin {

void OpenHelpFile(toolkit::DocumentOpener& opener, toolkit::DialogService& dialogs,
                  const QString& path)
{
    if (opener.open(path)) {
        return;
    }
    dialogs.messageBox(QStringLiteral("Unable to open help file check if Help file is there.") +
                           QStringLiteral(" Path= ") + path,
                       QString(), toolkit::MessageIcon::Critical, toolkit::MessageButtons::Ok);
}

} // namespace velmora::mainwin
