#include "platform/profile.h"
#include "platform/ui/controls.h"
#include "windowharness.h"

#include <filesystem>

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

using namespace velmora;
using platform::ui::MessageAnswer;
using platform::ui::MessageButtons;
using platform::ui::MessageIcon;

class FrmmainTest : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<test::WindowHarness>(); }
    void cleanup() { h->finish(); }

    void ShowsTheFifteenSettingsAndPanels()
    {
        h->install(test::fixture(kFixture));
        h->showMain();
        QCOMPARE(h->rows("Frmmain", "List1").join(' '),
                 "FullscreenColorbits CurvedSurfaces LowDetailTextures SlowVideoBuffering Decals "
                 "NoDynamicLights Coronas SkinDetail TextureDetail NoLighting MinDesiredFrameRate "
                 "ScreenFlashes NoFractalAnim ParticleDensity GameRenderDevice");
        QCOMPARE(h->rows("Frmmain", "List2"), test::kD3dRows);
        QStringList panels;
        for (int i = 1; i <= 6; ++i) {
            panels << panel(i);
        }
        QCOMPARE(panels.join('|'), "Current resoltution:|1920 x 1080|Total detected  memory:| "
                                   "128Mb|Unreal Cache:| 4Mb");
        QCOMPARE(h->readModule.ReadCount, 0);
        QCOMPARE(h->registry.loadedWindow("Frmmain")->windowTitle(), "Velmora");
        QCOMPARE(control<platform::ui::DesignComboBox>("Combo1")->currentText(),
                 "<<Select driver>>");
        QCOMPARE(control<platform::ui::DesignComboBox>("Combo2")->currentText(),
                 "<<Select Resolution>>");
        QVERIFY(!shown("Picture1") && !shown("Picture2"));
    }

    void DisplayFollowsTheFileAndMemory_data()
    {
        QTest::addColumn<QByteArray>("device"); // empty: no keys at all
        QTest::addColumn<int>("megabytes");
        QTest::addColumn<QString>("shown"); // driver | resolution | suggested cache | memory
        // clang-format off
        QTest::newRow("OpenGL is named; 96 MB suggest 72") << QByteArray("OpenGLDrv.OpenGLRenderDevice") << 96 << "OpenGl|800 x 600| 72| 96Mb";
        QTest::newRow("Missing keys show Default; 24 GB suggest what the game takes") << QByteArray() << 24576 << "Default|Default x Default| 512| 24576Mb";
        // clang-format on
    }
    void DisplayFollowsTheFileAndMemory()
    {
        QFETCH(QByteArray, device);
        QFETCH(int, megabytes);
        QFETCH(QString, shown);
        if (!device.isEmpty()) {
            h->install("[Engine.Engine]\r\nGameRenderDevice=" + device.toStdString() +
                       "\r\n[WinDrv.WindowsClient]\r\nFullscreenViewportX=0800\r\n"
                       "FullscreenViewportY=600\r\n");
        }
        h->system.memory = std::uint64_t(megabytes) * test::kMb;
        h->showMain();
        QCOMPARE(QStringList({row(14), panel(2),
                              control<platform::ui::DesignTextBox>("Text1")->text(), panel(4)})
                     .join('|'),
                 shown);
        QCOMPARE(row(0) + panel(6), "Default DefaultMb");
        // Every value is wide enough for its text, and every panel starts after the one before
        // and ends inside the bar.
        auto* bar = control<platform::ui::DesignStatusBar>("StatusBar1");
        int left = 0;
        for (int i = 1; i <= 6; ++i) {
            auto* current = bar->findChild<QLabel*>(QStringLiteral("Panel%1").arg(i));
            QVERIFY(i % 2 != 0 || current->width() >= current->sizeHint().width());
            QVERIFY(current->x() >= left && current->geometry().right() < bar->width());
            left = current->geometry().right();
        }
    }

    void NoWritesNothingAndOnlyARealActivationRefills()
    {
        h->install(test::fixture(kFixture));
        h->showMain();
        expectPresetQuestion(MessageAnswer::No);
        h->dialogs.expectMessage("User abort", "Information", MessageIcon::Information,
                                 MessageButtons::Ok);
        h->click("Frmmain", "Option2");
        QCOMPARE(h->game(), test::fixture(kFixture));
        QVERIFY(!shown("Picture1"));
        QVERIFY(platform::writeProfileString(h->Utpath, "WinDrv.WindowsClient", "Decals", "False")
                    .ok());
        // Qt gives the active window back when a message box closes: no refill.
        h->registry.systemActivated(h->registry.loadedWindow("Frmmain"));
        QCOMPARE(row(4), "True");
        QVERIFY(control<QRadioButton>("Option2")->isChecked());
        // Returning from another window of the program refills and clears the options.
        control<QAction>("About")->trigger();
        QVERIFY(h->registry.loadedWindow("frmAbout")->isVisible());
        h->registry.userActivates("Frmmain");
        QCOMPARE(row(4), "False");
        QVERIFY(!control<QRadioButton>("Option2")->isChecked());
        QCOMPARE(h->rows("Frmmain", "List1").size() + h->rows("Frmmain", "List2").size(), 30);
    }

    void CacheSizeIsBoundedByMemory()
    {
        h->showMain();
        auto* text1 = control<platform::ui::DesignTextBox>("Text1");
        h->dialogs.expectMessage("Memory value u specified is too large, maximum=128 Mb", "Error",
                                 MessageIcon::Information, MessageButtons::Ok);
        typeCache("200");
        QCOMPARE(text1->text(), "128");
        typeCache("12x8");
        QCOMPARE(text1->text(), "128");
        typeCache("");
        QCOMPARE(text1->text(), "");
    }

    void DoneStopsAndWritesInOrder_data()
    {
        QTest::addColumn<QString>("cache");      // typed; null: the suggestion untouched
        QTest::addColumn<int>("driver");         // -2 never opened, -1 opened and closed
        QTest::addColumn<int>("resolution");     // as driver
        QTest::addColumn<QString>("message");    // the stop, or empty
        QTest::addColumn<QStringList>("writes"); // CacheSizeMegs, GameRenderDevice, X, Y
        // clang-format off
        QTest::newRow("Done right after start writes the cache and asks for a driver") << QString() << -2 << -2 << "Please select Drivertype" << QStringList{" 96"};
        QTest::newRow("An empty cache size writes nothing") << "" << -2 << -2 << "No value specified for memory usage" << QStringList{};
        QTest::newRow("A driver list closed without a choice asks for a driver") << "64" << -1 << -2 << "Please select Drivertype" << QStringList{"64"};
        QTest::newRow("A driver without a resolution asks for a resolution") << "64" << 1 << -2 << "Please select Resolution" << QStringList{"64", "GlideDrv.GlideRenderDevice"};
        QTest::newRow("A resolution list closed without a choice asks again") << "64" << 0 << -1 << "Please select you're resolution!" << QStringList{"64", "SoftDrv.SoftwareRenderDevice"};
        QTest::newRow("All three chosen are written, the lists refreshed") << "64" << 2 << 4 << "" << QStringList{"64", "OpenGLDrv.OpenGLRenderDevice", "1152", "864"};
        // clang-format on
    }
    void DoneStopsAndWritesInOrder()
    {
        QFETCH(QString, cache);
        QFETCH(int, driver);
        QFETCH(int, resolution);
        QFETCH(QString, message);
        QFETCH(QStringList, writes);
        h->install(test::fixture(kFixture));
        h->showMain();
        if (!cache.isNull()) {
            typeCache(cache);
        }
        if (driver != -2) {
            openAndPick("Combo1", driver);
        }
        if (resolution != -2) {
            h->dialogs.expectMessage("Warning setting resolution too high MAY CAUSE DAMAGE TO PC",
                                     "WARNING", MessageIcon::Warning, MessageButtons::Ok);
            openAndPick("Combo2", -1); // the warning comes on the first opening only
            openAndPick("Combo2", resolution);
            QCOMPARE(control<platform::ui::DesignComboBox>("Combo2")->count(), 7);
        }
        if (!message.isEmpty()) {
            h->expectError(message);
        }
        h->click("Frmmain", "Command1");

        const char* keys[][2] = {{"Engine.GameEngine", "CacheSizeMegs"},
                                 {"Engine.Engine", "GameRenderDevice"},
                                 {"WinDrv.WindowsClient", "FullscreenViewportX"},
                                 {"WinDrv.WindowsClient", "FullscreenViewportY"}};
        std::string expected = test::fixture(kFixture);
        for (qsizetype i = 0; i < writes.size(); ++i) {
            expected = test::written(expected, keys[i][0], keys[i][1], writes[i].toStdString());
        }
        QCOMPARE(h->game(), expected);
        const bool done = message.isEmpty();
        QCOMPARE(shown("Picture2"), done);
        // Stopped or not, the lists show what the file holds now.
        QCOMPARE(panel(6), " " + (writes.isEmpty() ? "4" : writes[0].trimmed()) + "Mb");
        QCOMPARE(row(14) + panel(2), done ? "OpenGl1152 x 864" : row(14) + "1920 x 1080");
    }

    void PresetWritesItsColumnAndRefills()
    {
        h->install(test::fixture(kFixture));
        h->showMain();
        expectPresetQuestion(MessageAnswer::Yes);
        h->expectApplied();
        h->click("Frmmain", "Option1");
        QCOMPARE(h->rows("Frmmain", "List2").mid(0, 9).join('|'),
                 "16|False|True|False|False|True|False|Low|Low");
        QCOMPARE(value("D3DDrv.D3DRenderDevice", "Coronas"), "False");
        QVERIFY(!control<QRadioButton>("Option1")->isChecked());
        QVERIFY(shown("Picture1"));
    }

    void FailedWriteInDoneIsReportedAndStops()
    {
        // The game folder is a file, so nothing below it can be created, not even by root.
        std::filesystem::remove_all(h->prefix.gameFolder);
        test::writeFile(h->prefix.gameFolder, "not a folder");
        h->showMain();
        h->expectError(failure("Engine.GameEngine", " 96"));
        h->click("Frmmain", "Command1");
        QVERIFY(!shown("Picture2"));
    }

    void FailedWriteInPresetStopsWithoutSuccess()
    {
        // No render device: the Coronas write is refused before anything is written, and the
        // option can run the preset again.
        const std::string game = "[Engine.Engine]\r\nGameRenderDevice=\r\n";
        h->install(game);
        const QString refusal = failure("", "False");
        h->showMain();
        for (int attempt = 0; attempt < 2; ++attempt) {
            expectPresetQuestion(MessageAnswer::Yes);
            h->expectError(refusal);
            h->click("Frmmain", "Option1");
            QCOMPARE(h->game(), game);
            QVERIFY(!control<QRadioButton>("Option1")->isChecked());
        }
        QVERIFY(!shown("Picture1"));
    }

    void ExitAsks_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("yes");
        QTest::newRow("No at the Exit button keeps the window") << "CmdExit" << false;
        QTest::newRow("No at the File menu's Exit keeps the window") << "exit" << false;
        QTest::newRow("No at the close button keeps the window") << "close" << false;
        QTest::newRow("Yes ends the program and closes every window") << "CmdExit" << true;
    }
    void ExitAsks()
    {
        QFETCH(QString, how);
        QFETCH(bool, yes);
        h->showMain();
        h->registry.setVisible("frmAbout", true);
        h->dialogs.expectMessage("Exit Program?", "Exit program", MessageIcon::Information,
                                 MessageButtons::YesNo,
                                 yes ? MessageAnswer::Yes : MessageAnswer::No);
        if (how == "close") {
            QVERIFY(!h->registry.loadedWindow("Frmmain")->close());
        } else if (how == "exit") {
            control<QAction>("exit")->trigger();
        } else {
            h->click("Frmmain", how);
        }
        QCOMPARE(h->registry.hasEnded(), yes);
        QCOMPARE(h->registry.isLoaded("Frmmain") && h->registry.isLoaded("frmAbout"), !yes);
        QCOMPARE(h->registry.exitCode(), 0);
    }

    void HelpSaysWhereItLookedOrOpensTheFile()
    {
        const QString help = QString::fromStdString(h->workFolder + "/Help.html");
        h->dialogs.expectMessage("Unable to open help file check if Help file is there. Path= " +
                                     help,
                                 "", MessageIcon::Critical, MessageButtons::Ok);
        h->showMain();
        control<QAction>("Help")->trigger();
        QVERIFY(h->dialogs.expectEmpty());
        test::writeFile(help.toStdString(), "<html></html>");
        control<QAction>("Help")->trigger(); // opens without a message
        QCOMPARE(h->documents.opened, QStringList({help, help}));
    }

private:
    static inline const std::string kFixture = "client-451-windows-d3d.ini";

    template <class T = QWidget> T* control(const char* name) { return h->get<T>("Frmmain", name); }
    QString row(int index) { return h->rows("Frmmain", "List2").value(index); }
    QString panel(int index)
    {
        return control<platform::ui::DesignStatusBar>("StatusBar1")->panelText(index);
    }
    bool shown(const char* picture) { return control(picture)->isVisible(); }
    std::string value(const char* section, const char* key)
    {
        return platform::getProfileString(h->Utpath, section, key, "(none)", 256);
    }
    void typeCache(const QString& text)
    {
        auto* text1 = control<platform::ui::DesignTextBox>("Text1");
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Backspace);
        QTest::keyClicks(text1, text);
    }
    // Opens a drop-down list and picks `item`, or closes it again when `item` is -1.
    void openAndPick(const char* name, int item)
    {
        auto* combo = control<platform::ui::DesignComboBox>(name);
        QTest::keyClick(combo, Qt::Key_F4);
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        if (item < 0) {
            combo->hidePopup();
            return;
        }
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(item, 0)).center());
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(combo->currentIndex(), item);
    }
    void expectPresetQuestion(MessageAnswer answer)
    {
        h->dialogs.expectMessage(
            " Changes will immediately be made in Unreal Tournament.ini. Continu update?",
            "Continue update ?", MessageIcon::Question, MessageButtons::YesNo, answer);
    }
    // The failure the profile engine reports for such a write, as the window must show it.
    QString failure(const std::string& section, const std::string& value)
    {
        const auto probe = platform::writeProfileString(h->Utpath, section, "Probe", value);
        return QString::fromStdString("Unable to write " + h->Utpath + ": " + probe.reason);
    }
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(FrmmainTest)
#include "frmmain_test.moc"
