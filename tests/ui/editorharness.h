#pragma once

// Shared by the editor window tests: a fresh folder with a real game file and a working folder
// for Velmora.ini, the editor's windows registered with scripted dialogs, and a stand-in main
// window "Frmmain" holding the check mark Picture1.

#include "config/readmodule.h"
#include "platform/profile.h"
#include "platform/ui/controls.h"
#include "platform/ui/scripteddialogs.h"
#include "platform/ui/velmorawindow.h"
#include "platform/ui/windowregistry.h"
#include "sets/ui/registereditor.h"

#include <fstream>
#include <iterator>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace velmora::test {

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// `bytes` after writing `value` under `key` in `section`, as the profile engine writes it.
inline std::string written(std::string bytes, const std::string& section, const std::string& key,
                           const std::string& value)
{
    auto edit = platform::profileWriteText(bytes, section, key, value);
    return edit.status == platform::WriteStatus::Written ? edit.contents : bytes;
}

// The values of client-451-windows-d3d.ini as the editor shows them.
inline const QStringList kD3dValues = {"32",        "False", "False", "True", "True",
                                       "False",     "True",  "High",  "High", "False",
                                       "28.000000", "True",  "False", "0",    "Direct 3D"};
inline const QString kApplied = QStringLiteral("Graphics changes have been applied");

struct EditorHarness {
    EditorHarness()
    {
        QDir(dir.path()).mkdir(QStringLiteral("work"));
        writeBytes(Utpath, readBytes(VELMORA_TESTDATA "/ut-ini/client-451-windows-d3d.ini"));
        registry.registerFactory("Frmmain", [this] {
            auto main = std::make_unique<ui::VelmoraWindow>(registry);
            (new QLabel(main.get()))->setObjectName("Picture1");
            main->findChild<QLabel*>()->hide();
            return main;
        });
        sets::ui::registerEditorWindows(
            registry, {dialogs, module, [this] { return Utpath; }, [this] { return workFolder; }});
    }

    // Every test ends here: the script used up, and no window left behind.
    void finish()
    {
        QString why;
        QVERIFY2(dialogs.expectEmpty(&why), qPrintable(why));
        registry.endProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // "User defined" on the shown main window.
    void openEditor()
    {
        registry.setVisible("Frmmain", true);
        registry.setVisible("Form4", true);
    }
    template <class T = QWidget> T* get(const QString& window, const QString& name)
    {
        ui::VelmoraWindow* owner = registry.loadedWindow(window);
        return owner != nullptr ? owner->findChild<T*>(name) : nullptr;
    }
    QStringList rows(const QString& window, const QString& name)
    {
        QStringList texts;
        for (auto* box = get<ui::DesignListBox>(window, name); texts.size() < box->rowCount();) {
            texts << box->rowText(static_cast<int>(texts.size()));
        }
        return texts;
    }
    void clickRow(int row)
    {
        auto* values = get<ui::DesignListBox>("Form4", "List2");
        QTest::mouseClick(values->viewport(), Qt::LeftButton, {},
                          values->visualItemRect(values->item(row)).center());
    }
    void click(const QString& window, const QString& button)
    {
        QTest::mouseClick(get(window, button), Qt::LeftButton);
    }
    bool mainShownWithCheckMark()
    {
        ui::VelmoraWindow* main = registry.loadedWindow("Frmmain");
        return main->isVisible() && registry.activeWindow() == main &&
               !get("Frmmain", "Picture1")->isHidden() && !get("Form4", "List1")->isVisible();
    }

    QTemporaryDir dir;
    std::string Utpath = (dir.path() + "/UnrealTournament.ini").toStdString();
    std::string workFolder = (dir.path() + "/work").toStdString();
    std::string storeFile = workFolder + "/Velmora.ini";
    ui::WindowRegistry registry;
    ui::ScriptedDialogs dialogs;
    config::ReadModule module;
};

} // namespace velmora::test
