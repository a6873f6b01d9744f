#pragma once

// Form4: the advanced settings editor. The fifteen rows as a names list and a values list,
// item editing in the values list, the Edit/Save toggle that saves a setting set, "&Update "
// that writes the changed rows into the game's file, and the commands that open the load
// dialog and the working lists. The logic lives in sets/; this window moves text in and out.

#include "editor/editorservices.h"
#include "sets/editorlists.h"
#include "sets/store.h"
#include "toolkit/controls.h"
#include "toolkit/velmorawindow.h"

#include <string>

class QAction;
class QPushButton;

namespace velmora::editor {

class Form5;

class Form4 : public toolkit::VelmoraWindow {
    Q_OBJECT
public:
    Form4(toolkit::WindowRegistry& registry, EditorServices services);

    // The full path of Velmora.ini, recomputed at every activation.
    std::string SetFilePath;

    // Refills both lists from the game's file.
    void lees();
    // Copies both lists into Form5's snapshot.
    void EenCall();
    // Both lists as text.
    sets::EditorLists editorLists() const;

    // The values list takes the values of `set`; "Default" for a row it lacks. A set whose
    // section has gone is reported here and false returned, the lists unchanged.
    bool LoadSettingSet(const sets::StoredSet& set);
    // Writes the rows that differ from the game's file now (with `editedOnly`, only those the
    // player changed since the lists were last read), rebuilds Form5's change lists and refills
    // the lists. A refused or failed write is reported here; false then, and the lists keep the
    // unwritten values.
    bool ApplyChangedSettings(bool editedOnly);
    // A load from the load dialog: LoadSettingSet, ApplyChangedSettings, the snapshot taken anew
    // and the return to the main window; false when the load or the write stopped.
    bool loadAndApply(const sets::StoredSet& set);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createStatusBar();
    void connectHandlers();

    void List2_Click();
    void Text1_Change();
    void Text2_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Save_Click();
    void Check_Click();

    void promptAndSave();
    // The end of "&Update " and of a load: the success message, the main window's check mark,
    // the editor hidden and the main window shown.
    void reportAppliedAndReturn();
    Form5* workingLists();

    EditorServices m_services;
    // The lists as lees last read them, which "&Update " measures the player's edits against.
    sets::EditorLists m_lastRead;

    toolkit::DesignListBox* List1 = nullptr;
    toolkit::DesignListBox* List2 = nullptr;
    toolkit::DesignTextBox* Text1 = nullptr;
    toolkit::DesignTextBox* Text2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    toolkit::DesignStatusBar* StB1 = nullptr;
    QAction* Save = nullptr;
    QAction* Load = nullptr;
    QAction* Check = nullptr;
};

} // namespace velmora::editor
