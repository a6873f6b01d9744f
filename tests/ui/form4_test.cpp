#include "editorharness.h"
#include "platform/profile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

using namespace velmora;
using test::EditorHarness;
using ui::MessageButtons;
using ui::MessageIcon;

namespace {

const QString kForm4 = QStringLiteral("Form4");
const QString kForm5 = QStringLiteral("Form5");
const QString kSaved = QStringLiteral("Settings were saved, REMEMBER no changes were made to "
                                      "Unreal tournament.ini, Press Update to do that ");

// The game's file after `writes`, each (section, key, value), made by the profile engine.
std::string afterWrites(std::string bytes, const QList<QStringList>& writes)
{
    for (const QStringList& w : writes) {
        auto edit = platform::profileWriteText(bytes, w[0].toStdString(), w[1].toStdString(),
                                               w[2].toStdString());
        if (edit.status == platform::WriteStatus::Written) {
            bytes = std::move(edit.contents);
        }
    }
    return bytes;
}

} // namespace

class Form4Test : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<EditorHarness>(); }
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
    void toggleCaptionsAndTooltips();
    void savingKeepsTheValuesAsASet();
    void refusedAndFailedSavesSaySo();
    void updateWritesExactlyTheChangedRows();
    void failedUpdateKeepsTheChangesPending();
    void workingListsAndExit();

private:
    QString statusText() { return h->control<ui::DesignStatusBar>(kForm4, "StB1")->panelText(1); }
    QPushButton* button(const char* name) { return h->control<QPushButton>(kForm4, name); }
    void toEditMode() { h->click(kForm4, "Command1"); }

    std::unique_ptr<EditorHarness> h;
};

void Form4Test::openingReadsTheRowsAndTheStore_data()
{
    QTest::addColumn<QByteArray>("store"); // empty: no Velmora.ini
    QTest::addColumn<QByteArray>("storeAfter");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("loadEnabled");
    QTest::newRow("No store creates one with count 0")
        << QByteArray() << QByteArray("[Velmora]\r\nSaveNumber=0\r\n") << "Found 0 saved settings"
        << false;
    QTest::newRow("Count 3 enables loading")
        << QByteArray("[Velmora]\r\nSaveNumber=3\r\n")
        << QByteArray("[Velmora]\r\nSaveNumber=3\r\n") << "Found 3 saved settings" << true;
    QTest::newRow("A word for a count becomes the sets present")
        << QByteArray("[Velmora]\nSaveNumber=x\n[Save1]\nSaveName=a\n")
        << QByteArray("[Velmora]\nSaveNumber=1\n[Save1]\nSaveName=a\n") << "Found 1 saved settings"
        << true;
}

void Form4Test::openingReadsTheRowsAndTheStore()
{
    QFETCH(QByteArray, store);
    QFETCH(QByteArray, storeAfter);
    QFETCH(QString, status);
    QFETCH(bool, loadEnabled);
    if (!store.isEmpty()) {
        test::writeBytes(h->storeFile, store.toStdString());
    }
    const std::string game = test::readBytes(h->gameFile);
    h->module.ReadCount = 5;

    QVERIFY(h->openEditor() != nullptr);

    QCOMPARE(h->rows(kForm4, "List1").size(), 15);
    QCOMPARE(h->rows(kForm4, "List1").first(), "FullscreenColorbits");
    QCOMPARE(h->rows(kForm4, "List2"), test::d3dClientValues());
    QCOMPARE(h->rows(kForm5, "List2"), test::d3dClientValues());
    QCOMPARE(h->rows(kForm5, "List1"), h->rows(kForm4, "List1"));
    QCOMPARE(h->module.ReadCount, 0);
    QVERIFY(!h->registry.loadedWindow("Frmmain")->isVisible());
    QVERIFY(!h->registry.loadedWindow(kForm5)->isVisible());
    QCOMPARE(statusText(), status);
    QCOMPARE(button("Command2")->isEnabled(), loadEnabled);
    QCOMPARE(test::readBytes(h->storeFile), storeAfter.toStdString());
    QCOMPARE(test::readBytes(h->gameFile), game);
}

void Form4Test::selectionStepsTheRow_data()
{
    QTest::addColumn<QByteArray>("line"); // written into the fixture's own section of the key
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("Colour depth 16 steps to 32 and back")
        << QByteArray("FullscreenColorbits=16") << 0 << QStringList{"16", "32", "16"};
    QTest::newRow("Detail Medium steps High, Low, Medium")
        << QByteArray("TextureDetail=Medium") << 8
        << QStringList{"Medium", "High", "Low", "Medium"};
    QTest::newRow("Coronas of the device section steps")
        << QByteArray("Coronas=False") << 6 << QStringList{"False", "True", "False"};
    QTest::newRow("Software steps to Direct 3D")
        << QByteArray("GameRenderDevice=SoftDrv.SoftwareRenderDevice") << 14
        << QStringList{"Software", "Direct 3D", "OpenGl"};
    QTest::newRow("The Glide class shows Glide and steps to Software")
        << QByteArray("GameRenderDevice=GlideDrv.GlideRenderDevice") << 14
        << QStringList{"Glide", "Software"};
    QTest::newRow("Lower-case true is not in the cycle")
        << QByteArray("CurvedSurfaces=true") << 1 << QStringList{"true", "true"};
    QTest::newRow("Colour depth 24 is not in the cycle")
        << QByteArray("FullscreenColorbits=24") << 0 << QStringList{"24", "24"};
    QTest::newRow("A missing key shows Default and stays")
        << QByteArray("SkinDetail") << 7 << QStringList{"Default", "Default"};
}

void Form4Test::selectionStepsTheRow()
{
    QFETCH(QByteArray, line);
    QFETCH(int, row);
    QFETCH(QStringList, steps);
    const QList<QByteArray> keyValue = line.split('=');
    const std::string key = keyValue[0].toStdString();
    const std::string section = key == "GameRenderDevice" ? "Engine.Engine"
                                : key == "Coronas"        ? "D3DDrv.D3DRenderDevice"
                                                          : "WinDrv.WindowsClient";
    std::string game = test::readBytes(h->gameFile);
    if (keyValue.size() == 2) {
        game = afterWrites(game, {{QString::fromStdString(section), keyValue[0], keyValue[1]}});
    } else {
        game.replace(game.find(key + "="), key.size() + 1, "Old" + key + "=");
    }
    test::writeBytes(h->gameFile, game);
    h->openEditor();
    const QStringList before = h->rows(kForm4, "List2");
    QCOMPARE(before[row], steps[0]);

    h->clickRow(row);
    QCOMPARE(h->rows(kForm4, "List2"), before); // the lists are disabled until "&Edit"
    toEditMode();
    for (qsizetype step = 1; step < steps.size(); ++step) {
        h->clickRow(row);
        QCOMPARE(h->rows(kForm4, "List2")[row], steps[step]);
    }
    QStringList others = h->rows(kForm4, "List2");
    others[row] = before[row];
    QCOMPARE(others, before);
    QCOMPARE(test::readBytes(h->gameFile), game);
}

void Form4Test::entryBoxesCommitByLength()
{
    h->openEditor();
    toEditMode();
    auto* text1 = h->control<QLineEdit>(kForm4, "Text1");
    auto* text2 = h->control<QLineEdit>(kForm4, "Text2");
    auto frameRate = [this] { return h->rows(kForm4, "List2")[10]; };
    auto particles = [this] { return h->rows(kForm4, "List2")[13]; };

    h->clickRow(10);
    QVERIFY(text1->isVisible());
    QTest::keyClicks(text1, "2");
    QCOMPARE(frameRate(), "28.000000");
    QTest::keyClicks(text1, "0");
    QCOMPARE(frameRate(), "20");
    QVERIFY(!text1->isVisible());

    h->clickRow(10);
    QCOMPARE(text1->text(), "20");
    QTest::keyClick(text1, Qt::Key_Backspace);
    QCOMPARE(frameRate(), "20");
    QTest::keyClicks(text1, "5");
    QCOMPARE(frameRate(), "25");

    h->clickRow(10);
    QTest::keyClick(text1, Qt::Key_Backspace);
    QTest::keyClick(text1, Qt::Key_Escape);
    QVERIFY(!text1->isVisible());
    QCOMPARE(frameRate(), "25");
    h->clickRow(10);
    QTest::keyClick(text1, Qt::Key_Backspace);
    QCOMPARE(frameRate(), "");

    h->clickRow(13);
    QVERIFY(text2->isVisible());
    QTest::keyClicks(text2, "5");
    QCOMPARE(particles(), "5");
    QVERIFY(!text2->isVisible());
    h->clickRow(13);
    QTest::keyClick(text2, Qt::Key_Backspace);
    QCOMPARE(particles(), "5");
    QVERIFY(text2->isVisible());
    QTest::keyClicks(text2, "x");
    QCOMPARE(particles(), "x");
    QCOMPARE(h->rows(kForm5, "List2"), test::d3dClientValues());
}

void Form4Test::toggleCaptionsAndTooltips()
{
    h->openEditor();
    const std::string store = test::readBytes(h->storeFile);
    QPushButton* toggle = button("Command1");
    auto* values = h->list(kForm4, "List2");
    QCOMPARE(toggle->text(), "&Edit");
    QCOMPARE(toggle->toolTip(), "Click to edit the Settings");

    toEditMode();
    QCOMPARE(toggle->text(), "Save");
    QCOMPARE(toggle->toolTip(), "Click to Save the Settings");
    QVERIFY(values->isEnabled() && h->list(kForm4, "List1")->isEnabled());

    // An activation resets the tooltip only.
    h->registry.setVisible(kForm5, true);
    h->registry.userActivates(kForm4);
    QCOMPARE(toggle->text(), "Save");
    QCOMPARE(toggle->toolTip(), "Click to edit the Settings");

    h->dialogs.expectInput("Please enter a name to save settings to", "Save Settings", "");
    toEditMode();
    QCOMPARE(toggle->text(), "Edit");
    QCOMPARE(toggle->toolTip(), "Click to Edit the Settings");
    QVERIFY(!values->isEnabled() && !h->list(kForm4, "List1")->isEnabled());
    QCOMPARE(test::readBytes(h->storeFile), store);
}

void Form4Test::savingKeepsTheValuesAsASet()
{
    const std::string game = test::readBytes(h->gameFile);
    h->openEditor();
    toEditMode();
    h->clickRow(0);
    h->dialogs.expectInput("Please enter a name to save settings to", "Save Settings", "Fast");
    h->dialogs.expectMessage(kSaved, "Velmora", MessageIcon::Information, MessageButtons::Ok);
    toEditMode();
    h->dialogs.expectInput("Please enter a name to save settings to", "Save Settings", "Fast");
    h->dialogs.expectMessage(kSaved, "Velmora", MessageIcon::Information, MessageButtons::Ok);
    h->control<QAction>(kForm4, "Save")->trigger();

    std::string set = "SaveName=Fast\r\n";
    QStringList values = test::d3dClientValues();
    values[0] = "16";
    for (int i = 0; i < 15; ++i) {
        set += (h->rows(kForm4, "List1")[i] + "=" + values[i] + "\r\n").toStdString();
    }
    QCOMPARE(test::readBytes(h->storeFile),
             "[Velmora]\r\nSaveNumber=2\r\n[Save1]\r\n" + set + "[Save2]\r\n" + set);
    QCOMPARE(test::readBytes(h->gameFile), game);
    QCOMPARE(button("Command1")->text(), "Edit");
}

void Form4Test::refusedAndFailedSavesSaySo()
{
    h->openEditor();
    const std::string store = test::readBytes(h->storeFile);
    h->dialogs.expectInput("Please enter a name to save settings to", "Save Settings", "a\nb");
    h->dialogs.expectMessage("The settings were not saved. A set name cannot contain a line break.",
                             "Error", MessageIcon::Critical, MessageButtons::Ok);
    h->control<QAction>(kForm4, "Save")->trigger();
    QCOMPARE(test::readBytes(h->storeFile), store);

    // The working folder replaced by a file: no user, root included, can write the store.
    QDir(QString::fromStdString(h->workFolder)).removeRecursively();
    test::writeBytes(h->workFolder, "");
    const auto probe = platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", "1");
    QVERIFY(!probe.ok());
    h->dialogs.expectInput("Please enter a name to save settings to", "Save Settings", "x");
    h->dialogs.expectMessage(
        QString::fromStdString("Unable to write " + h->storeFile + ": " + probe.reason), "Error",
        MessageIcon::Critical, MessageButtons::Ok);
    h->control<QAction>(kForm4, "Save")->trigger();
}

void Form4Test::updateWritesExactlyTheChangedRows()
{
    const std::string game = test::readBytes(h->gameFile);
    h->openEditor();
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click(kForm4, "Command4");
    QCOMPARE(test::readBytes(h->gameFile), game);
    QVERIFY(h->mainShownWithCheckMark());
    QVERIFY(!h->registry.loadedWindow(kForm4)->isVisible());

    h->registry.setVisible(kForm4, true);
    toEditMode();
    for (int row : {14, 6, 0}) {
        h->clickRow(row);
    }
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click(kForm4, "Command4");

    QCOMPARE(
        test::readBytes(h->gameFile),
        afterWrites(game, {{"WinDrv.WindowsClient", "FullscreenColorbits", "16"},
                           {"D3DDrv.D3DRenderDevice", "Coronas", "False"},
                           {"Engine.Engine", "GameRenderDevice", "OpenGLDrv.OpenGLRenderDevice"}}));
    QCOMPARE(h->rows(kForm5, "List4"),
             (QStringList{"FullscreenColorbits", "Coronas", "GameRenderDevice"}));
    QCOMPARE(h->rows(kForm5, "List3"), (QStringList{"16", "False", "OpenGl"}));
    QCOMPARE(h->rows(kForm5, "List5"), (QStringList{"32", "True", "Direct 3D"}));
    // Refilled from the file: Coronas now comes from the OpenGL device's section.
    QCOMPARE(h->rows(kForm4, "List2")[14], "OpenGl");
    QCOMPARE(h->rows(kForm4, "List2")[6], "True");
    QCOMPARE(h->rows(kForm5, "List2"), h->rows(kForm4, "List2"));
    QVERIFY(h->mainShownWithCheckMark());
}

void Form4Test::failedUpdateKeepsTheChangesPending()
{
    const std::string game = test::readBytes(h->gameFile);
    h->openEditor();
    toEditMode();
    h->clickRow(0);
    // The game's file moves behind a regular file, where nothing can be written.
    h->Utpath = h->storeFile + "/UnrealTournament.ini";
    const auto probe = platform::writeProfileString(h->Utpath, "WinDrv.WindowsClient", "K", "16");
    QVERIFY(!probe.ok());
    h->dialogs.expectMessage(QString::fromStdString("Error when saving this itemFullscreenColorbits"
                                                    " = 16 (" +
                                                    probe.reason + ")"),
                             "Velmora", MessageIcon::Critical, MessageButtons::Ok);
    h->click(kForm4, "Command4");
    QVERIFY(h->registry.loadedWindow(kForm4)->isVisible());
    QCOMPARE(h->rows(kForm4, "List2")[0], "16");
    QCOMPARE(h->rows(kForm5, "List2")[0], "32");

    h->Utpath = h->gameFile;
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click(kForm4, "Command4");
    QCOMPARE(test::readBytes(h->gameFile),
             afterWrites(game, {{"WinDrv.WindowsClient", "FullscreenColorbits", "16"}}));
}

void Form4Test::workingListsAndExit()
{
    const std::string game = test::readBytes(h->gameFile);
    h->openEditor();
    toEditMode();
    h->clickRow(0);
    h->control<QAction>(kForm4, "Check")->trigger();
    ui::VelmoraWindow* form5 = h->registry.loadedWindow(kForm5);
    QVERIFY(form5->isVisible());
    QCOMPARE(h->rows(kForm5, "List2"), test::d3dClientValues());
    QVERIFY(!form5->close());
    QVERIFY(!form5->isVisible());
    QCOMPARE(h->registry.loadedWindow(kForm5), form5);

    // Returning to the editor refills it: the unapplied edit is gone.
    h->registry.userActivates(kForm4);
    QCOMPARE(h->rows(kForm4, "List2"), test::d3dClientValues());

    h->click(kForm4, "Command3");
    QVERIFY(!h->registry.isLoaded(kForm4));
    QVERIFY(h->registry.loadedWindow("Frmmain")->isVisible());
    QCOMPARE(h->rows(kForm5, "List2"), test::d3dClientValues());
    QCOMPARE(test::readBytes(h->gameFile), game);
}

QTEST_MAIN(Form4Test)
#include "form4_test.moc"
