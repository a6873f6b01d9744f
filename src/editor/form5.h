#pragma once

// Form5: the editor's working lists. List1/List2 hold the rows as last applied, for display;
// the apply compares with the game's file itself. List3/List4/List5 the new values, names and old
// values of the last apply's changes. It is loaded on first use and only ever hidden, so the lists
// live until the program ends.

#include "sets/apply.h"
#include "sets/editorlists.h"
#include "toolkit/controls.h"
#include "toolkit/velmorawindow.h"

#include <vector>

namespace velmora::editor {

class Form5 : public toolkit::VelmoraWindow {
    Q_OBJECT
public:
    explicit Form5(toolkit::WindowRegistry& registry);

    // The snapshot: List1 and List2 emptied and refilled row by row, names first.
    void setSnapshot(const sets::EditorLists& lists);

    // The change lists, rebuilt: List4 names, List3 new values, List5 old values.
    void setChanges(const std::vector<sets::Change>& changes);

    void Form_Unload(bool& cancel) override;

private:
    void createControls();

    toolkit::DesignListBox* List1 = nullptr;
    toolkit::DesignListBox* List2 = nullptr;
    toolkit::DesignListBox* List3 = nullptr;
    toolkit::DesignListBox* List4 = nullptr;
    toolkit::DesignListBox* List5 = nullptr;
};

} // namespace velmora::editor
