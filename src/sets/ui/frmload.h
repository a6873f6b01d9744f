#pragma once

// frmload: the load dialog. Lists the saved setting sets by name; "&Load" puts the chosen set
// into the editor's values list, applies the rows that changed and returns to the main window,
// staying open for another load; "&Cancel" closes it.

#include "sets/store.h"
#include "sets/ui/editorsession.h"
#include "toolkit/controls.h"
#include "toolkit/velmorawindow.h"

#include <memory>
#include <vector>

class QPushButton;

namespace velmora::toolkit {
class DialogService;
}

namespace velmora::sets::ui {

class frmload : public velmora::toolkit::VelmoraWindow {
    Q_OBJECT
public:
    frmload(velmora::toolkit::WindowRegistry& registry, velmora::toolkit::DialogService& dialogs,
            std::shared_ptr<EditorSession> editor);

    void Form_Load() override;

private:
    void createControls();
    void connectHandlers();

    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();

    velmora::toolkit::DialogService& m_dialogs;
    // Shared, so that the window outlives no factory that made it: registering the windows
    // again drops the factory, not the session an open dialog still uses.
    std::shared_ptr<EditorSession> m_editor;
    std::vector<StoredSet> m_sets; // Combo1's entries, in order
    velmora::toolkit::DesignComboBox* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};

} // namespace velmora::sets::ui
