#include "windows.h"

#include "frmabout.h"
#include "frmsplash.h"
#include "mainwin/frmmain.h"
#include "platform/ui/windowregistry.h"

namespace velmora::app {

void registerWindows(ui::WindowRegistry& registry, const Services& services)
{
    registry.registerFactory(QStringLiteral("frmSplash"), [&registry, services] {
        return std::make_unique<frmSplash>(registry, services.system);
    });
    registry.registerFactory(QStringLiteral("Frmmain"), [&registry, services] {
        return std::make_unique<mainwin::Frmmain>(registry, services.dialogs, services.documents,
                                                  services.locator, services.system,
                                                  services.readModule);
    });
    registry.registerFactory(QStringLiteral("frmAbout"),
                             [&registry] { return std::make_unique<frmAbout>(registry); });
}

} // namespace velmora::app
