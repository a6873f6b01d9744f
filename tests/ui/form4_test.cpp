#include "editorharness.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

using namespace velmora;
using test::kD3dValues;
using ui::MessageButtons;
using ui::MessageIcon;

namespace {

const QString kPrompt = QStringLiteral("Please enter a name to save settings to");
const QString kSaved = QStringLiteral("Settings were saved, REMEMBER no changes were made to "
                                      "Unreal tournament.ini, Press Update to do that ");

} // namespace

class Form4Test : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<test::EditorHarness>(); }
    void cleanup()
    {
        h->finish();
        h.reset();
    }
    void openingReadsTheRowsAndTheStore_data();
    void openingReadsTheRowsAndTheStore();
    void selectionStepsTheRow_data();
    void selectionStepsTheRow();
    void entryBoxesCommitByLength();
    void toggleSavesSetsWithItsCaptionsAndTooltips();
    void refusedAndFailedSavesSaySo();
    void updateWritesTheChangedRowsAndAFailureKeepsThemPending();
    void workingListsAndExit();

private:
    QPushButton* button(const char* name) { return h->get<QPushButton>("Form4", name); }
    QAction* menuItem(const char* name) { return h->get<QAction>("Form4", name); }
    std::unique_ptr<test::EditorHarness> h;
};

void Form4Test::openingReadsTheRowsAndTheStore_data()
{
    QTest::addColumn<QByteArray>("store"); // empty: no Velmora.ini
    QTest::addColumn<QByteArray>("storeAfter");
    QTest::addColumn<QString>("status");
    QTest::newRow("No store creates one with count 0")
        << QByteArray() << QByteArray("[Velmora]\r\nSaveNumber=0\r\n") << "Found 0 saved settings";
    QTest::newRow("A word for a count becomes the sets present")
        << QByteArray("[Velmora]\nSaveNumber=x\n[Save1]\n")
        << QByteArray("[Velmora]\nSaveNumber=1\n[Save1]\n") << "Found 1 saved settings";
}

void Form4Test::openingReadsTheRowsAndTheStore()
{
    QFETCH(QByteArray, store);
    QFETCH(QByteArray, storeAfter);
    QFETCH(QString, status);
    if (!store.isEmpty()) {
        test::writeBytes(h->storeFile, store.toStdString());
    }
    const std::string game = test::readBytes(h->Utpath);
    h->openEditor();
    QCOMPARE(h->rows("Form4", "List1").size(), 15);
    QCOMPARE(h->rows("Form4", "List2"), kD3dValues);
    QCOMPARE(h->rows("Form5", "List1"), h->rows("Form4", "List1"));
    QCOMPARE(h->rows("Form5", "List2"), kD3dValues);
    QVERIFY(!h->registry.loadedWindow("Frmmain")->isVisible());
    QVERIFY(!h->registry.loadedWindow("Form5")->isVisible());
    QCOMPARE(h->get<ui::DesignStatusBar>("Form4", "StB1")->panelText(1), status);
    QCOMPARE(button("Command2")->isEnabled(), !status.contains('0'));
    QCOMPARE(test::readBytes(h->storeFile), storeAfter.toStdString());
    QCOMPARE(test::readBytes(h->Utpath), game);
}

void Form4Test::selectionStepsTheRow_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key"); // set to the first step, or removed for "Default"
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("Colour depth 16 steps to 32 and back")
        << "WinDrv.WindowsClient"
        << "FullscreenColorbits" << 0 << QStringList{"16", "32", "16"};
    QTest::newRow("Detail Medium steps High, Low, Medium")
        << "WinDrv.WindowsClient"
        << "TextureDetail" << 8 << QStringList{"Medium", "High", "Low", "Medium"};
    QTest::newRow("Coronas of the device section steps")
        << "D3DDrv.D3DRenderDevice"
        << "Coronas" << 6 << QStringList{"False", "True"};
    QTest::newRow("The Glide class shows Glide and steps to Software")
        << "Engine.Engine"
        << "GameRenderDevice" << 14 << QStringList{"Glide", "Software"};
    QTest::newRow("Lower-case true is not in the cycle")
        << "WinDrv.WindowsClient"
        << "CurvedSurfaces" << 1 << QStringList{"true", "true"};
    QTest::newRow("A missing key shows Default and stays")
        << "WinDrv.WindowsClient"
        << "SkinDetail" << 7 << QStringList{"Default", "Default"};
}

void Form4Test::selectionStepsTheRow()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, row);
    QFETCH(QStringList, steps);
    std::string game = test::readBytes(h->Utpath);
    const std::string value =
        steps[0] == "Glide" ? "GlideDrv.GlideRenderDevice" : steps[0].toStdString();
    if (steps[0] == "Default") {
        game[game.find(key.toStdString() + "=")] = '_';
    } else {
        game = test::written(game, section.toStdString(), key.toStdString(), value);
    }
    test::writeBytes(h->Utpath, game);
    h->openEditor();
    QStringList expected = h->rows("Form4", "List2");
    QCOMPARE(expected[row], steps[0]);
    h->clickRow(row); // the lists are disabled until "&Edit"
    h->click("Form4", "Command1");
    for (const QString& step : steps.mid(1)) {
        h->clickRow(row);
        expected[row] = step;
        QCOMPARE(h->rows("Form4", "List2"), expected);
    }
    QCOMPARE(test::readBytes(h->Utpath), game);
}

void Form4Test::entryBoxesCommitByLength()
{
    h->openEditor();
    h->click("Form4", "Command1");
    auto* text1 = h->get<QLineEdit>("Form4", "Text1");
    auto* text2 = h->get<QLineEdit>("Form4", "Text2");
    auto value = [this](int row) { return h->rows("Form4", "List2")[row]; };
    h->clickRow(10);
    QVERIFY(text1->isVisible());
    QTest::keyClicks(text1, "2");
    QCOMPARE(value(10), "28.000000");
    QTest::keyClicks(text1, "0");
    QCOMPARE(value(10), "20");
    QVERIFY(!text1->isVisible());
    h->clickRow(10);
    QCOMPARE(text1->text(), "20");
    QTest::keyClick(text1, Qt::Key_Backspace);
    QTest::keyClick(text1, Qt::Key_Escape);
    QVERIFY(!text1->isVisible());
    QCOMPARE(value(10), "20");
    h->clickRow(10);
    QTest::keyClick(text1, Qt::Key_Backspace);
    QCOMPARE(value(10), "");
    h->clickRow(13);
    QTest::keyClicks(text2, "5");
    QCOMPARE(value(13), "5");
    QVERIFY(!text2->isVisible());
    h->clickRow(13);
    QTest::keyClick(text2, Qt::Key_Backspace);
    QVERIFY(text2->isVisible());
    QCOMPARE(value(13), "5");
    QCOMPARE(h->rows("Form5", "List2"), kD3dValues);
}

void Form4Test::toggleSavesSetsWithItsCaptionsAndTooltips()
{
    const std::string game = test::readBytes(h->Utpath);
    h->openEditor();
    QPushButton* toggle = button("Command1");
    QCOMPARE(toggle->text(), "&Edit");
    QCOMPARE(toggle->toolTip(), "Click to edit the Settings");
    h->click("Form4", "Command1");
    QCOMPARE(toggle->text(), "Save");
    QCOMPARE(toggle->toolTip(), "Click to Save the Settings");
    QVERIFY(h->get("Form4", "List1")->isEnabled() && h->get("Form4", "List2")->isEnabled());
    h->registry.setVisible("Form5", true);
    h->registry.userActivates("Form4"); // resets the tooltip only
    QCOMPARE(toggle->text() + toggle->toolTip(), "SaveClick to edit the Settings");
    h->clickRow(0);

    h->dialogs.expectInput(kPrompt, "Save Settings", "");
    h->click("Form4", "Command1");
    QCOMPARE(toggle->text() + toggle->toolTip(), "EditClick to Edit the Settings");
    QVERIFY(!h->get("Form4", "List1")->isEnabled() && !h->get("Form4", "List2")->isEnabled());
    QCOMPARE(test::readBytes(h->storeFile), "[Velmora]\r\nSaveNumber=0\r\n");

    h->click("Form4", "Command1");
    h->dialogs.expectInput(kPrompt, "Save Settings", "Fast");
    h->dialogs.expectMessage(kSaved, "Velmora", MessageIcon::Information, MessageButtons::Ok);
    h->click("Form4", "Command1");
    h->dialogs.expectInput(kPrompt, "Save Settings", "Fast");
    h->dialogs.expectMessage(kSaved, "Velmora", MessageIcon::Information, MessageButtons::Ok);
    menuItem("Save")->trigger();

    std::string set = "SaveName=Fast\r\n";
    for (int i = 0; i < 15; ++i) {
        set += (h->rows("Form4", "List1")[i] + "=" + (i == 0 ? "16" : kD3dValues[i]) + "\r\n")
                   .toStdString();
    }
    QCOMPARE(test::readBytes(h->storeFile),
             "[Velmora]\r\nSaveNumber=2\r\n[Save1]\r\n" + set + "[Save2]\r\n" + set);
    QCOMPARE(test::readBytes(h->Utpath), game);
}

void Form4Test::refusedAndFailedSavesSaySo()
{
    h->openEditor();
    h->dialogs.expectInput(kPrompt, "Save Settings", "a\nb");
    h->dialogs.expectMessage("The settings were not saved. A set name cannot contain a line break.",
                             "Error", MessageIcon::Critical, MessageButtons::Ok);
    menuItem("Save")->trigger();
    QCOMPARE(test::readBytes(h->storeFile), "[Velmora]\r\nSaveNumber=0\r\n");

    // The working folder replaced by a file: nobody, root included, can write the store.
    QDir(QString::fromStdString(h->workFolder)).removeRecursively();
    test::writeBytes(h->workFolder, "");
    const auto probe = platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", "1");
    h->dialogs.expectInput(kPrompt, "Save Settings", "x");
    h->dialogs.expectMessage(
        QString::fromStdString("Unable to write " + h->storeFile + ": " + probe.reason), "Error",
        MessageIcon::Critical, MessageButtons::Ok);
    menuItem("Save")->trigger();
}

void Form4Test::updateWritesTheChangedRowsAndAFailureKeepsThemPending()
{
    const std::string game = test::readBytes(h->Utpath);
    h->openEditor();
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click("Form4", "Command4");
    QCOMPARE(test::readBytes(h->Utpath), game);
    QVERIFY(h->mainShownWithCheckMark());

    h->registry.setVisible("Form4", true);
    h->click("Form4", "Command1");
    for (int row : {14, 6, 0}) {
        h->clickRow(row);
    }
    // First behind a regular file, where nothing can be written.
    const std::string gameFile = h->Utpath;
    h->Utpath = h->storeFile + "/UnrealTournament.ini";
    const auto probe = platform::writeProfileString(h->Utpath, "S", "K", "16");
    h->dialogs.expectMessage(QString::fromStdString("Error when saving this itemFullscreenColorbits"
                                                    " = 16 (" +
                                                    probe.reason + ")"),
                             "Velmora", MessageIcon::Critical, MessageButtons::Ok);
    h->click("Form4", "Command4");
    QVERIFY(h->get("Form4", "List1")->isVisible());
    QCOMPARE(h->rows("Form4", "List2")[14], "OpenGl");
    QCOMPARE(h->rows("Form5", "List2"), kD3dValues);

    h->Utpath = gameFile;
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click("Form4", "Command4");
    std::string expected = test::written(game, "WinDrv.WindowsClient", "FullscreenColorbits", "16");
    expected = test::written(expected, "D3DDrv.D3DRenderDevice", "Coronas", "False");
    expected = test::written(expected, "Engine.Engine", "GameRenderDevice",
                             "OpenGLDrv.OpenGLRenderDevice");
    QCOMPARE(test::readBytes(h->Utpath), expected);
    QCOMPARE(h->rows("Form5", "List4"),
             (QStringList{"FullscreenColorbits", "Coronas", "GameRenderDevice"}));
    QCOMPARE(h->rows("Form5", "List3"), (QStringList{"16", "False", "OpenGl"}));
    QCOMPARE(h->rows("Form5", "List5"), (QStringList{"32", "True", "Direct 3D"}));
    // Refilled: Coronas now comes from the OpenGL device's section.
    QCOMPARE(h->rows("Form4", "List2")[6], "True");
    QCOMPARE(h->rows("Form5", "List2"), h->rows("Form4", "List2"));
    QVERIFY(h->mainShownWithCheckMark());
}

void Form4Test::workingListsAndExit()
{
    const std::string game = test::readBytes(h->Utpath);
    h->openEditor();
    h->click("Form4", "Command1");
    h->clickRow(0);
    menuItem("Check")->trigger();
    ui::VelmoraWindow* form5 = h->registry.loadedWindow("Form5");
    QVERIFY(form5->isVisible());
    QCOMPARE(h->rows("Form5", "List2"), kD3dValues);
    QVERIFY(!form5->close());
    QVERIFY(!form5->isVisible());
    QCOMPARE(h->registry.loadedWindow("Form5"), form5);
    h->registry.userActivates("Form4"); // refills: the unapplied edit is gone
    QCOMPARE(h->rows("Form4", "List2"), kD3dValues);
    h->click("Form4", "Command3");
    QVERIFY(!h->registry.isLoaded("Form4"));
    QVERIFY(h->registry.loadedWindow("Frmmain")->isVisible());
    QCOMPARE(test::readBytes(h->Utpath), game);
}

QTEST_MAIN(Form4Test)
#include "form4_test.moc"
