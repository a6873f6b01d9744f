#include "openhelpfile.h"

#include "platform/ui/dialogs.h"
#include "platform/ui/documentopener.h"

namespace velmora::mainwin {

void OpenHelpFile(platform::ui::DocumentOpener& opener, platform::ui::DialogService& dialogs,
                  const QString& path)
{
    if (opener.open(path)) {
        return;
    }
    dialogs.messageBox(QStringLiteral("Unable to open help file check if Help file is there.") +
                           QStringLiteral(" Path= ") + path,
                       QString(), platform::ui::MessageIcon::Critical,
                       platform::ui::MessageButtons::Ok);
}

} // namespace velmora::mainwin
