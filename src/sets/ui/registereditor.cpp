#include "sets/ui/registereditor.h"

#include "editor/form4.h"
#include "editor/form5.h"
#include "platform/ui/windowregistry.h"
#include "sets/ui/frmload.h"

namespace velmora::sets::ui {

void registerEditorWindows(velmora::ui::WindowRegistry& registry,
                           const editor::EditorServices& services)
{
    registry.registerFactory(QStringLiteral("Form4"), [&registry, services] {
        return std::make_unique<editor::Form4>(registry, services);
    });
    registry.registerFactory(QStringLiteral("Form5"),
                             [&registry] { return std::make_unique<editor::Form5>(registry); });
    registry.registerFactory(QStringLiteral("frmload"), [&registry, &dialogs = services.dialogs] {
        return std::make_unique<frmload>(registry, dialogs);
    });
}

} // namespace velmora::sets::ui
