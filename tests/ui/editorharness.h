#pragma once

// What the editor window tests share: a fresh folder with a copy of a real game file and a
// working folder for Velmora.ini, the editor's windows registered with scripted dialogs, and a
// stand-in main window "Frmmain" with its check mark Picture1.

#include "config/readmodule.h"
#include "platform/ui/controls.h"
#include "platform/ui/scripteddialogs.h"
#include "platform/ui/velmorawindow.h"
#include "platform/ui/windowregistry.h"
#include "sets/ui/registereditor.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace velmora::test {

class StandInMain : public ui::VelmoraWindow {
public:
    explicit StandInMain(ui::WindowRegistry& registry) : VelmoraWindow(registry)
    {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("Picture1"));
        picture->hide();
    }
    void Form_Activate() override { ++activations; }
    int activations = 0;
};

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class EditorHarness {
public:
    explicit EditorHarness(const std::string& fixture = "client-451-windows-d3d.ini")
    {
        QDir(dir.path()).mkdir(QStringLiteral("work"));
        gameFile = (dir.path() + QStringLiteral("/UnrealTournament.ini")).toStdString();
        workFolder = (dir.path() + QStringLiteral("/work")).toStdString();
        storeFile = workFolder + "/Velmora.ini";
        writeBytes(gameFile, readBytes(std::string(VELMORA_TESTDATA) + "/ut-ini/" + fixture));
        registry.registerFactory(QStringLiteral("Frmmain"),
                                 [this] { return std::make_unique<StandInMain>(registry); });
        sets::ui::registerEditorWindows(
            registry, {dialogs, module, [this] { return Utpath; }, [this] { return workFolder; }});
        Utpath = gameFile;
    }

    // The check every test ends with: the script used up, and no window left behind.
    void finish()
    {
        QString why;
        QVERIFY2(dialogs.expectEmpty(&why), qPrintable(why));
        registry.endProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // Opens the editor from the shown main window, as "User defined" does.
    ui::VelmoraWindow* openEditor()
    {
        registry.setVisible(QStringLiteral("Frmmain"), true);
        registry.setVisible(QStringLiteral("Form4"), true);
        return registry.loadedWindow(QStringLiteral("Form4"));
    }

    template <class T> T* control(const QString& window, const QString& name)
    {
        ui::VelmoraWindow* owner = registry.loadedWindow(window);
        return owner != nullptr ? owner->findChild<T*>(name) : nullptr;
    }
    ui::DesignListBox* list(const QString& window, const QString& name)
    {
        return control<ui::DesignListBox>(window, name);
    }
    QStringList rows(const QString& window, const QString& name)
    {
        QStringList texts;
        const ui::DesignListBox* box = list(window, name);
        for (int i = 0; box != nullptr && i < box->rowCount(); ++i) {
            texts << box->rowText(i);
        }
        return texts;
    }
    void clickRow(int row)
    {
        ui::DesignListBox* values = list(QStringLiteral("Form4"), QStringLiteral("List2"));
        QTest::mouseClick(values->viewport(), Qt::LeftButton, {},
                          values->visualItemRect(values->item(row)).center());
    }
    void click(const QString& window, const QString& button)
    {
        QTest::mouseClick(control<QWidget>(window, button), Qt::LeftButton);
    }
    bool mainShownWithCheckMark()
    {
        ui::VelmoraWindow* main = registry.loadedWindow(QStringLiteral("Frmmain"));
        return main != nullptr && main->isVisible() && registry.activeWindow() == main &&
               !main->findChild<QLabel*>(QStringLiteral("Picture1"))->isHidden();
    }

    QTemporaryDir dir;
    std::string gameFile;
    std::string workFolder;
    std::string storeFile;
    std::string Utpath;
    ui::WindowRegistry registry;
    ui::ScriptedDialogs dialogs;
    config::ReadModule module;
};

// The values list of client-451-windows-d3d.ini as the editor shows it.
inline QStringList d3dClientValues()
{
    return {"32",   "False", "False",     "True", "True",  "False", "True",     "High",
            "High", "False", "28.000000", "True", "False", "0",     "Direct 3D"};
}

inline const QString kApplied = QStringLiteral("Graphics changes have been applied");

} // namespace velmora::test
