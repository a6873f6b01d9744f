#pragma once

// Registers the factories of the editor's windows: "Form4" (the editor), "Form5" (its
// working lists) and "frmload" (the load dialog).

#include "editor/editorservices.h"

namespace velmora::ui {
class WindowRegistry;
}

namespace velmora::sets::ui {

void registerEditorWindows(velmora::ui::WindowRegistry& registry,
                           const editor::EditorServices& services);

} // namespace velmora::sets::ui
