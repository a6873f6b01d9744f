#pragma once

// The program's real windows as main() registers them, over a fresh Wine-style prefix with the
// game at C:\UnrealTournament (its file: client-451-windows-d3d.ini), a working folder, 128 MB of
// memory and scripted dialogs. The prefix's and the working folder's names hold "é", so every
// text that shows a path shows it as the file system encodes it.

#include "backup/backup.h"
#include "config/gameconfig.h"
#include "config/readmodule.h"
#include "platform/gamelocator.h"
#include "platform/systeminfo.h"
#include "scripteddialogs.h"
#include "support/fakeprefix.h"
#include "toolkit/controls.h"
#include "toolkit/velmorawindow.h"
#include "toolkit/windowregistry.h"

#include <cstdint>
#include <memory>
#include <string>

#include <QFile>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace velmora::test {

using namespace toolkit;

// A game file of tests/data/ut-ini.
std::string fixture(const std::string& name);

class FixedSystemInfo final : public platform::SystemInfo {
public:
    std::uint64_t totalPhysicalMemory() const override { return 128 << 20; }
    std::string currentDirectory() const override { return directory; }
    std::string directory;
};

class WindowHarness {
public:
    WindowHarness();

    // Every test ends here: no window left behind and the dialog script used up.
    void finish();
    void loseGame();                     // the registry holds no game entry from now on
    void useIni(const std::string& file) // as `velmora --ini FILE`
    {
        request.iniFile = file;
        registerAll();
    }
    void install(const std::string& bytes) { writeFile(Utpath, bytes); }
    std::string game() const { return readFile(Utpath); }
    // Renderers of the patched game declared by .int files beside the game's file: "Direct3D
    // 11" and "Vulkan Support", with their libraries.
    void installRenderers();
    // Loaded hidden first, as the splash does.
    void showMain()
    {
        registry.setVisible("Frmmain", false);
        registry.setVisible("Frmmain", true);
    }

    template <class T = QWidget> T* get(const QString& window, const QString& name) const
    {
        VelmoraWindow* owner = registry.loadedWindow(window);
        return owner != nullptr ? owner->findChild<T*>(name) : nullptr;
    }
    QStringList rows(const QString& window, const QString& list) const
    {
        QStringList texts;
        for (auto* box = get<DesignListBox>(window, list); texts.size() < box->rowCount();)
            texts << box->rowText(int(texts.size()));
        return texts;
    }
    void clickRow(const QString& window, const QString& list, int row)
    {
        auto* box = get<DesignListBox>(window, list);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                          box->visualItemRect(box->item(row)).center());
    }
    // Opens a drop-down list with F4 and chooses `item` (counted round the list) with Return,
    // or closes it again when `item` is -1.
    void pick(const QString& window, const QString& combo, int item);
    void click(const QString& window, const QString& control)
    {
        QTest::mouseClick(get(window, control), Qt::LeftButton);
    }
    // Through "User defined", as a user opens it.
    void openEditor()
    {
        showMain();
        click("Frmmain", "Option3");
    }
    void expectError(const QString& text) { expectBox(text, "Error", MessageIcon::Critical); }
    void expectApplied()
    {
        expectBox("Graphics changes have been applied", "Done", MessageIcon::Information);
    }
    void expectBox(const QString& text, const QString& title, MessageIcon icon)
    {
        dialogs.expectMessage(text, title, icon, MessageButtons::Ok);
    }
    void expectPreset(MessageAnswer answer)
    {
        dialogs.expectMessage(
            " Changes will immediately be made in Unreal Tournament.ini. Continu update?",
            "Continue update ?", MessageIcon::Question, MessageButtons::YesNo, answer);
    }
    static QString shown(const std::string& path)
    {
        return QFile::decodeName(QByteArray::fromStdString(path));
    }

    TemporaryFolder folder;
    FakePrefix prefix;
    std::string Utpath, workFolder, storeFile;
    FixedSystemInfo system;
    ScriptedDialogs dialogs;
    FakeDocumentOpener documents;
    config::ReadModule readModule;
    backup::BackupSession backups{folder.file("backups")};
    std::unique_ptr<platform::GameLocator> locator;
    config::GameConfigRequest request;
    WindowRegistry registry; // last: its windows go before the services they use

    // Registers the windows (again) the way main() does.
    void registerAll();
};

} // namespace velmora::test
