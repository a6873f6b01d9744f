#pragma once

// frmload: the load dialog. Lists the saved setting sets by name; "&Load" puts the chosen set
// into the editor's values list, applies the rows that changed and returns to the main window,
// staying open for another load; "&Cancel" closes it.

#include "platform/ui/controls.h"
#include "platform/ui/velmorawindow.h"
#include "sets/store.h"

#include <vector>

class QPushButton;

namespace velmora::ui {
class DialogService;
}

namespace velmora::sets::ui {

class frmload : public velmora::ui::VelmoraWindow {
    Q_OBJECT
public:
    frmload(velmora::ui::WindowRegistry& registry, velmora::ui::DialogService& dialogs);

    void Form_Load() override;

private:
    void createControls();
    void connectHandlers();

    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();

    velmora::ui::DialogService& m_dialogs;
    std::vector<StoredSet> m_sets; // Combo1's entries, in order
    velmora::ui::DesignComboBox* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};

// Form5's snapshot taken anew from the editor's lists, as EenCall does.
void SnapshotEditorLists(velmora::ui::WindowRegistry& registry);

} // namespace velmora::sets::ui
