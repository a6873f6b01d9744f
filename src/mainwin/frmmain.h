#pragma once

// Frmmain, Velmora's main window: the fifteen managed settings of the game's configuration
// file with the resolution, memory and cache size below them; the quick presets; the driver,
// resolution and cache update; About, Help and Exit. Reads and writes go through ReadModule,
// message boxes through the dialog service, other windows through the window registry.

#include "config/catalogue.h"
#include "config/gameconfig.h"
#include "config/renderers.h"
#include "toolkit/velmorawindow.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velmora::platform {
class GameLocator;
class SystemInfo;
} // namespace velmora::platform

namespace velmora::config {
class ReadModule;
}

namespace velmora::backup {
class BackupSession;
}

namespace velmora::toolkit {
class DesignComboBox;
class DesignListBox;
class DesignStatusBar;
class DesignTextBox;
class DialogService;
class DocumentOpener;
} // namespace velmora::toolkit

namespace velmora::mainwin {

class Frmmain final : public toolkit::VelmoraWindow {
    Q_OBJECT
public:
    Frmmain(toolkit::WindowRegistry& registry, toolkit::DialogService& dialogService,
            toolkit::DocumentOpener& documentOpener, const platform::GameLocator& locator,
            const platform::SystemInfo& system, config::ReadModule& module);

    // Resolves Help.html, centres the window, locates the game's configuration file (ending
    // the program with status 1 when the registry names no folder), fills the lists and
    // detects the memory.
    void Form_Load() override;
    // Refills the lists and clears the three options.
    void Form_Activate() override;
    // Asks "Exit Program?"; Yes ends the program with every window, No keeps everything.
    void Form_Unload(bool& cancel) override;

    // Refills List1, List2, panel 2 and panel 6 from the game's configuration file.
    void leesman();

    // The check mark of the "Graphics" frame; the editor and the load dialog show it too.
    void setPicture1Visible(bool visible);

    std::string GameFolder; // the folder exactly as the registry holds it
    std::string Utpath;     // the game's configuration file on this system

    // Set before the window loads: a file named on the command line, and where the file's
    // backups are kept (no "Restore..." without them).
    config::GameConfigRequest ConfigRequest;
    backup::BackupSession* Backups = nullptr;

private:
    void createControls();
    void createMenus();
    void createStatusBar();
    void connectHandlers();

    void Text1_Change();
    void Combo1_DropDown();
    void Combo2_DropDown();
    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Restore_Click();
    void About_Click();
    void Help_Click();
    void exit_Click();
    void CmdExit_Click();

    // Done's writes: cache size, driver, resolution; false once one is missing or fails.
    bool writeDriverResolutionAndCache();
    void detectMemory();
    void applyPreset(bool fast);
    // Writes one key of Utpath; a failure is reported and false returned.
    bool writeGameValue(std::string_view section, std::string_view key, std::string_view value);
    void showError(const QString& text);

    // Design names are kept verbatim, so no member here carries a prefix.
    toolkit::DialogService& dialogs;
    toolkit::DocumentOpener& documents;
    const platform::GameLocator& gameLocator;
    const platform::SystemInfo& systemInfo;
    config::ReadModule& readModule;

    QString HelpPath;
    std::int64_t DetectedMemoryMb = 0;
    int combo1DropDowns = 0; // how often each list has been opened
    int combo2DropDowns = 0;
    std::vector<config::ResolutionChoice> resolutionItems; // Combo2's sizes after its prompt
    std::vector<config::Renderer> renderers;               // Combo1's drivers, found at load

    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QGroupBox* Frame4 = nullptr;
    toolkit::DesignTextBox* Text1 = nullptr;
    toolkit::DesignComboBox* Combo1 = nullptr;
    toolkit::DesignComboBox* Combo2 = nullptr;
    toolkit::DesignListBox* List1 = nullptr;
    toolkit::DesignListBox* List2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* CmdExit = nullptr;
    toolkit::DesignStatusBar* StatusBar1 = nullptr;
    QAction* Restore = nullptr;
    QAction* exit = nullptr;
    QAction* Help = nullptr;
    QAction* About = nullptr;
};

} // namespace velmora::mainwin
