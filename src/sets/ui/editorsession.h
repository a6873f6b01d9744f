#pragma once

// What the load dialog needs of the editor, wired by the composition root so that the dialog
// knows nothing of the editor's window classes.

#include "sets/store.h"

#include <optional>
#include <string>

namespace velmora::sets::ui {

class EditorSession {
public:
    virtual ~EditorSession() = default;

    // The store the open editor saves to; nothing when the editor is not open.
    virtual std::optional<std::string> storePath() const = 0;
    // Puts `set` into the editor, writes the rows that changed and returns to the main window.
    // False when the editor is closed or the load or write stopped; the editor has reported why.
    virtual bool loadAndApply(const StoredSet& set) = 0;
};

} // namespace velmora::sets::ui
