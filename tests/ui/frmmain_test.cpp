#include "platform/fileio.h"
#include "platform/profile.h"
#include "windowharness.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QScreen>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::toolkit;

class FrmmainTest : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<test::WindowHarness>(); }
    void cleanup() { h->finish(); }

    // The program starts on the splash, which hands over to the main window.
    void StartCreatesTheStoreRefusesInputAndHandsOverOnTheLastTick()
    {
        QVERIFY(h->registry.setVisible("frmSplash", true));
        VelmoraWindow* main = h->registry.loadedWindow("Frmmain");
        VelmoraWindow* splash = h->registry.loadedWindow("frmSplash");
        QCOMPARE(QByteArray::fromStdString(test::readFile(h->storeFile)),
                 "[Velmora]\r\nSaveNumber=0\r\n");
        QCOMPARE(h->get<QLabel>("frmSplash", "lblProductName")->text(), "Velmora");
        QTest::keyClick(splash, Qt::Key_Escape);
        QVERIFY(!splash->close());
        // Both are refused; the main window waits, loaded and hidden.
        QCOMPARE(QList<bool>({main->isVisible(), splash->isVisible()}), QList<bool>({false, true}));
        QTRY_VERIFY(!h->registry.isLoaded("frmSplash"));
        QCOMPARE(h->registry.activeWindow(), main);
    }

    void GameNotFoundShowsTheMessageBeforeAnySplash_data()
    {
        QTest::addColumn<QString>("ini"); // empty: none, and no game in the registry
        QTest::newRow("No game in the registry") << "";
        QTest::newRow("An --ini file that cannot be edited is named with why") << "gone/UT.ini";
    }
    void GameNotFoundShowsTheMessageBeforeAnySplash()
    {
        QFETCH(QString, ini);
        ini.isEmpty() ? h->loseGame() : h->useIni(ini.toStdString());
        const std::string named = platform::fullPathName(ini.toStdString(), h->workFolder);
        bool windowOnScreen = true;
        h->dialogs.expectMessage(
            ini.isEmpty() ? "Unable to get tournament folder data from registry"
                          : "The file named with --ini cannot be edited: " + h->shown(named) +
                                " (its folder does not exist)",
            ini.isEmpty() ? "Error: Unreal Tournament folder data??" : "Error",
            MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok, [&] {
                windowOnScreen =
                    std::ranges::any_of(QApplication::topLevelWidgets(), &QWidget::isVisible);
            });
        QVERIFY(!h->registry.setVisible("frmSplash", true));
        QVERIFY(!windowOnScreen);
        QCOMPARE(h->registry.exitCode(), 1);
    }

    // 128 MB suggest a cache of 96 MB.
    void ShowsTheFileAndMemory()
    {
        h->showMain();
        auto* bar = control<DesignStatusBar>("StatusBar1");
        QStringList texts{row(0), row(14)};
        for (int i = 1; i <= 6; ++i)
            texts << bar->panelText(i);
        QCOMPARE(
            texts << control<DesignTextBox>("Text1")->text(),
            QStringList({"32", "Direct 3D", "Current resoltution:", "1920 x 1080",
                         "Total detected  memory:", " 128Mb", "Unreal Cache:", " 4Mb", " 96"}));
        // The resolution list ends with the screen's own size.
        auto* combo2 = control<QComboBox>("Combo2");
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(control("Frame4")->toolTip(),
                 h->shown(h->Utpath) + "\nThe game's folder from the registry");
        QCOMPARE(combo2->itemText(combo2->count() - 1),
                 QStringLiteral("%1*%2").arg(screen.width()).arg(screen.height()));
        QCOMPARE(QList<bool>({control("Picture1")->isVisible(), control("Picture2")->isVisible()}),
                 QList<bool>({false, false}));
    }

    // Only a return from another window of the program refills the lists and clears the options.
    void OnlyARealActivationRefills()
    {
        h->showMain();
        h->expectPreset(MessageAnswer::No);
        h->expectBox("User abort", "Information", MessageIcon::Information);
        h->click("Frmmain", "Option2");
        QVERIFY(platform::writeProfileString(h->Utpath, "WinDrv.WindowsClient", "Decals", "False")
                    .ok());
        // Showing it again, or Qt giving it back the focus when a message box closes: no refill.
        QVERIFY(h->registry.setVisible("Frmmain", true));
        h->registry.loadedWindow("Frmmain")->activateWindow();
        QCoreApplication::processEvents();
        QCOMPARE(row(4), "True");
        control<QAction>("About")->trigger();
        h->registry.userActivates("Frmmain");
        QCOMPARE(row(4), "False");
        QVERIFY(!control<QRadioButton>("Option2")->isChecked());
    }

    // Choosing and putting back a copy is the property test's; here what is offered.
    void RestoreOffersOnlyThisFilesCopies()
    {
        QVERIFY(h->backups.ensureBackup(h->Utpath).ok());
        // A copy made by an earlier version is not offered.
        test::writeFile(h->backups.folder() + "/UnrealTournament.ini.20250101-000000-00.bak", "");
        h->showMain();
        control<QAction>("Restore")->trigger();
        auto* dialog = control<QDialog>("frmRestore");
        QCOMPARE(dialog->findChild<QLabel*>("lblFile")->text(),
                 "Copies of " + h->shown(h->Utpath) + " kept before Velmora changed it:");
        QCOMPARE(dialog->findChild<QLabel*>("lblEarlier")->text(),
                 "Copies made by earlier versions of Velmora do not say which file they are of, "
                 "so they are not listed; they are kept in " +
                     h->shown(h->backups.folder()) + ".");
        auto* list = dialog->findChild<QTreeWidget*>("List1");
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(2),
                 QLocale().toString(qulonglong(h->game().size())) + " bytes");
    }

    // The menu's About box, help and exit.
    void AboutOpensNotModalAndOnceUntilOkHelpSaysWhereItLookedExitAsks()
    {
        h->useIni("UnrealTournament.ini"); // shown by its full path, here and in the tooltip
        const QString file =
            h->shown(platform::fullPathName("UnrealTournament.ini", h->workFolder));
        const std::string helpFile = platform::fullPathName("Help.html", h->workFolder);
        const QString help = h->shown(helpFile);
        h->expectBox("Unable to open help file check if Help file is there. Path= " + help, "",
                     MessageIcon::Critical);
        h->showMain();
        control<QAction>("Help")->trigger();
        QVERIFY(h->dialogs.expectEmpty());
        test::writeFile(helpFile, "<html></html>");
        control<QAction>("Help")->trigger(); // opens without a message
        QCOMPARE(h->documents.opened, QStringList({help, help}));
        control<QAction>("About")->trigger();
        VelmoraWindow* about = h->registry.loadedWindow("frmAbout");
        QCOMPARE(about->windowTitle(), "About Velmora");
        const QString labels[][2] = {
            {"lblTitle", "Velmora"},
            {"lblVersion", "Version 1.1.0"},
            {"Label1", "Disclaimer: All the Logo's used  in this program are property of the "
                       "respective owners. "},
            {"lblFile", "Editing: " + file}};
        for (const auto& [name, text] : labels)
            QCOMPARE(label(name).remove(QChar(0x200b)), text);
        QCOMPARE(control("Frame4")->toolTip(), file + "\nNamed on the command line with --ini");
        QCOMPARE(about->focusWidget(), h->get("frmAbout", "cmdOK"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // A second About shows the same box; Escape is OK.
        h->get<QLabel>("frmAbout", "lblTitle")->setText("changed");
        control<QAction>("About")->trigger();
        QCOMPARE(label("lblTitle"), "changed");
        QTest::keyClick(about, Qt::Key_Escape);
        control<QAction>("About")->trigger();
        QCOMPARE(label("lblTitle"), "Velmora");
        // Exit asks; ending does not ask again, or every test's end would show an unscripted box.
        for (const auto answer : {MessageAnswer::No, MessageAnswer::Yes})
            h->dialogs.expectMessage("Exit Program?", "Exit program", MessageIcon::Information,
                                     MessageButtons::YesNo, answer);
        QVERIFY(!h->registry.loadedWindow("Frmmain")->close());
        QTest::keyClick(control("CmdExit"), Qt::Key_Space);
        QVERIFY(h->registry.hasEnded());
    }

private:
    template <class T = QWidget> T* control(const char* name) { return h->get<T>("Frmmain", name); }
    QString label(const QString& name) { return h->get<QLabel>("frmAbout", name)->text(); }
    QString row(int index) { return h->rows("Frmmain", "List2").value(index); }
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(FrmmainTest)
#include "frmmain_test.moc"
