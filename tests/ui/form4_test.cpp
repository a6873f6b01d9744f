#include "mainwin/frmmain.h"
#include "platform/profile.h"
#include "platform/ui/controls.h"
#include "windowharness.h"

#include <filesystem>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velmora;
using platform::ui::MessageButtons;
using platform::ui::MessageIcon;

namespace {

const QString kPrompt = QStringLiteral("Please enter a name to save settings to");
const QString kSaved = QStringLiteral("Settings were saved, REMEMBER no changes were made to "
                                      "Unreal tournament.ini, Press Update to do that ");

} // namespace

class Form4Test : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        h = std::make_unique<test::WindowHarness>();
        game = test::fixture("client-451-windows-d3d.ini");
        h->install(game);
    }
    void cleanup() { h->finish(); }
    void OpeningReadsTheRowsAndTheStore()
    {
        openEditor();
        QCOMPARE(h->rows("Form4", "List1"), h->rows("Frmmain", "List1"));
        QCOMPARE(values(), test::kD3dRows);
        QCOMPARE(h->rows("Form5", "List1"), h->rows("Form4", "List1"));
        QCOMPARE(values("Form5"), test::kD3dRows);
        QVERIFY(!h->registry.loadedWindow("Frmmain")->isVisible());
        QVERIFY(!h->registry.loadedWindow("Form5")->isVisible());
        QCOMPARE(h->get<platform::ui::DesignStatusBar>("Form4", "StB1")->panelText(1),
                 "Found 0 saved settings");
        QVERIFY(!h->get("Form4", "Command2")->isEnabled());
        QCOMPARE(test::readFile(h->storeFile), "[Velmora]\r\nSaveNumber=0\r\n");
        QCOMPARE(h->game(), game);
    }

    void SelectionStepsTheRow_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key"); // set to the first step's value
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("steps");
        // clang-format off
        QTest::newRow("Detail Medium steps High, Low, Medium") << "WinDrv.WindowsClient" << "TextureDetail" << 8 << QStringList{"Medium", "High", "Low", "Medium"};
        QTest::newRow("Coronas of the device section steps") << "D3DDrv.D3DRenderDevice" << "Coronas" << 6 << QStringList{"False", "True"};
        // clang-format on
    }
    void SelectionStepsTheRow()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(int, row);
        QFETCH(QStringList, steps);
        game =
            test::written(game, section.toStdString(), key.toStdString(), steps[0].toStdString());
        h->install(game);
        openEditor();
        QStringList expected = values();
        QCOMPARE(expected[row], steps[0]);
        clickRow(row); // the lists are disabled until "&Edit"
        h->click("Form4", "Command1");
        for (const QString& step : steps.mid(1)) {
            clickRow(row);
            expected[row] = step;
            QCOMPARE(values(), expected);
        }
        QCOMPARE(h->game(), game);
    }

    void EntryBoxesCommitByLength()
    {
        openEditor();
        h->click("Form4", "Command1");
        auto* text1 = h->get<QLineEdit>("Form4", "Text1");
        auto* text2 = h->get<QLineEdit>("Form4", "Text2");
        clickRow(10);
        QVERIFY(text1->isVisible());
        QTest::keyClicks(text1, "2");
        QCOMPARE(values()[10], "28.000000");
        QTest::keyClicks(text1, "0");
        QCOMPARE(values()[10], "20");
        QVERIFY(!text1->isVisible());
        clickRow(10);
        QCOMPARE(text1->text(), "20");
        QTest::keyClick(text1, Qt::Key_Backspace);
        QTest::keyClick(text1, Qt::Key_Escape);
        QVERIFY(!text1->isVisible());
        QCOMPARE(values()[10], "20");
        clickRow(10);
        QTest::keyClick(text1, Qt::Key_Backspace);
        QCOMPARE(values()[10], "");
        clickRow(13);
        QTest::keyClicks(text2, "5");
        QCOMPARE(values()[13], "5");
        QVERIFY(!text2->isVisible());
        clickRow(13);
        QTest::keyClick(text2, Qt::Key_Backspace);
        QVERIFY(text2->isVisible());
        QCOMPARE(values()[13], "5");
        QCOMPARE(values("Form5"), test::kD3dRows);
    }

    void ToggleSavesSetsWithItsCaptionsAndTooltips()
    {
        openEditor();
        auto* toggle = h->get<QPushButton>("Form4", "Command1");
        auto caption = [toggle] { return toggle->text() + "|" + toggle->toolTip(); };
        QCOMPARE(caption(), "&Edit|Click to edit the Settings");
        h->click("Form4", "Command1");
        QCOMPARE(caption(), "Save|Click to Save the Settings");
        QVERIFY(h->get("Form4", "List1")->isEnabled() && h->get("Form4", "List2")->isEnabled());
        h->registry.setVisible("Form5", true);
        h->registry.userActivates("Form4"); // resets the tooltip only
        QCOMPARE(caption(), "Save|Click to edit the Settings");
        clickRow(0);

        h->dialogs.expectInput(kPrompt, "Save Settings", "");
        h->click("Form4", "Command1");
        QCOMPARE(caption(), "Edit|Click to Edit the Settings");
        QVERIFY(!h->get("Form4", "List1")->isEnabled() && !h->get("Form4", "List2")->isEnabled());
        QCOMPARE(test::readFile(h->storeFile), "[Velmora]\r\nSaveNumber=0\r\n");

        h->click("Form4", "Command1");
        for (int i = 0; i < 2; ++i) {
            h->dialogs.expectInput(kPrompt, "Save Settings", "Fast");
            h->dialogs.expectMessage(kSaved, "Velmora", MessageIcon::Information,
                                     MessageButtons::Ok);
        }
        h->click("Form4", "Command1");
        h->get<QAction>("Form4", "Save")->trigger();

        std::string set = "SaveName=Fast\r\n";
        for (int i = 0; i < 15; ++i) {
            set +=
                (h->rows("Form4", "List1")[i] + "=" + (i == 0 ? "16" : test::kD3dRows[i]) + "\r\n")
                    .toStdString();
        }
        QCOMPARE(test::readFile(h->storeFile),
                 "[Velmora]\r\nSaveNumber=2\r\n[Save1]\r\n" + set + "[Save2]\r\n" + set);
        QCOMPARE(h->game(), game);
    }

    void RefusedAndFailedSavesSaySo()
    {
        openEditor();
        h->dialogs.expectInput(kPrompt, "Save Settings", "a\nb");
        h->expectError("The settings were not saved. A set name cannot contain a line break.");
        h->get<QAction>("Form4", "Save")->trigger();
        QCOMPARE(test::readFile(h->storeFile), "[Velmora]\r\nSaveNumber=0\r\n");

        // The working folder replaced by a file: nobody, root included, can write the store.
        std::filesystem::remove_all(h->workFolder);
        test::writeFile(h->workFolder, "");
        const auto probe = platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", "1");
        h->dialogs.expectInput(kPrompt, "Save Settings", "x");
        h->expectError(
            QString::fromStdString("Unable to write " + h->storeFile + ": " + probe.reason));
        h->get<QAction>("Form4", "Save")->trigger();
    }

    void UpdateWritesTheChangedRowsAndAFailureKeepsThemPending()
    {
        openEditor();
        h->click("Form4", "Command1");
        for (int row : {14, 6, 0}) {
            clickRow(row);
        }
        // First behind a regular file, where nothing can be written, not even by root.
        auto* main = h->registry.windowAs<mainwin::Frmmain>("Frmmain");
        main->Utpath = h->storeFile + "/UnrealTournament.ini";
        const auto probe = platform::writeProfileString(main->Utpath, "S", "K", "16");
        h->dialogs.expectMessage(
            QString::fromStdString("Error when saving this itemGameRenderDevice = OpenGl (" +
                                   probe.reason + ")"),
            "Velmora", MessageIcon::Critical, MessageButtons::Ok);
        h->click("Form4", "Command4");
        QVERIFY(h->get("Form4", "List1")->isVisible());
        QCOMPARE(values()[14], "OpenGl");
        QCOMPARE(values("Form5"), test::kD3dRows);

        main->Utpath = h->Utpath;
        h->expectApplied();
        h->click("Form4", "Command4");
        // The new device first, so that Coronas lands in its section.
        std::string expected = test::written(game, "Engine.Engine", "GameRenderDevice",
                                             "OpenGLDrv.OpenGLRenderDevice");
        expected = test::written(expected, "WinDrv.WindowsClient", "FullscreenColorbits", "16");
        expected = test::written(expected, "OpenGLDrv.OpenGLRenderDevice", "Coronas", "False");
        QCOMPARE(h->game(), expected);
        QCOMPARE(h->rows("Form5", "List4"),
                 (QStringList{"FullscreenColorbits", "Coronas", "GameRenderDevice"}));
        QCOMPARE(h->rows("Form5", "List3"), (QStringList{"16", "False", "OpenGl"}));
        QCOMPARE(h->rows("Form5", "List5"), (QStringList{"32", "True", "Direct 3D"}));
        // Refilled: Coronas comes from the OpenGL device's section, where it was written.
        QCOMPARE(values()[6], "False");
        QCOMPARE(values("Form5"), values());
        QVERIFY(h->registry.loadedWindow("Frmmain")->isVisible());
        QCOMPARE(h->registry.activeWindow(), h->registry.loadedWindow("Frmmain"));
        QVERIFY(h->get("Frmmain", "Picture1")->isVisible() &&
                !h->get("Form4", "List1")->isVisible());
    }

    void WorkingListsAndExit()
    {
        openEditor();
        h->click("Form4", "Command1");
        clickRow(0);
        h->get<QAction>("Form4", "Check")->trigger();
        platform::ui::VelmoraWindow* form5 = h->registry.loadedWindow("Form5");
        QVERIFY(form5->isVisible());
        QCOMPARE(values("Form5"), test::kD3dRows);
        QVERIFY(!form5->close());
        QVERIFY(!form5->isVisible());
        QCOMPARE(h->registry.loadedWindow("Form5"), form5);
        h->registry.userActivates("Form4"); // refills: the unapplied edit is gone
        QCOMPARE(values(), test::kD3dRows);
        h->click("Form4", "Command3");
        QVERIFY(!h->registry.isLoaded("Form4"));
        QVERIFY(h->registry.loadedWindow("Frmmain")->isVisible());
        QCOMPARE(h->game(), game);
    }

private:
    void openEditor() // "User defined"
    {
        h->showMain();
        h->click("Frmmain", "Option3");
    }
    QStringList values(const char* window = "Form4") { return h->rows(window, "List2"); }
    void clickRow(int row) { h->clickRow("Form4", "List2", row); }
    std::unique_ptr<test::WindowHarness> h;
    std::string game;
};

QTEST_MAIN(Form4Test)
#include "form4_test.moc"
