#include "windows.h"

#include "frmabout.h"
#include "frmsplash.h"
#include "mainwin/frmmain.h"
#include "platform/systeminfo.h"
#include "platform/ui/windowregistry.h"
#include "sets/ui/registereditor.h"

namespace velmora::app {

void registerWindows(ui::WindowRegistry& registry, const Services& services)
{
    registry.registerFactory(QStringLiteral("frmSplash"), [&registry, services] {
        return std::make_unique<frmSplash>(registry, services.system);
    });
    registry.registerFactory(QStringLiteral("Frmmain"), [&registry, services] {
        auto main = std::make_unique<mainwin::Frmmain>(registry, services.dialogs,
                                                       services.documents, services.locator,
                                                       services.system, services.readModule);
        main->ConfigRequest = services.request;
        main->Backups = services.backups;
        return main;
    });
    const auto mainUtpath = [&registry] {
        const auto* main =
            qobject_cast<mainwin::Frmmain*>(registry.loadedWindow(QStringLiteral("Frmmain")));
        return main != nullptr ? main->Utpath : std::string();
    };
    registry.registerFactory(QStringLiteral("frmAbout"), [&registry, mainUtpath] {
        return std::make_unique<frmAbout>(registry, mainUtpath);
    });

    // The editor asks for the game's file at every read and write, so it never holds a stale
    // path and does not depend on the main window's class.
    sets::ui::registerEditorWindows(
        registry, {services.dialogs, services.readModule, mainUtpath,
                   [&system = services.system] { return system.currentDirectory(); }});
}

} // namespace velmora::app
