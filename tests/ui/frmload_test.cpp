#include "editorharness.h"
#include "platform/profile.h"

#include <QComboBox>
#include <QPushButton>

using namespace velmora;
using test::EditorHarness;
using ui::MessageButtons;
using ui::MessageIcon;

namespace {

const QString kForm4 = QStringLiteral("Form4");
const QString kLoad = QStringLiteral("frmload");

// Three sets over client-451-windows-d3d.ini: the first as the file is, the second and third
// named alike, each with its own changes.
std::string threeSets()
{
    const QStringList names = {"FullscreenColorbits",
                               "CurvedSurfaces",
                               "LowDetailTextures",
                               "SlowVideoBuffering",
                               "Decals",
                               "NoDynamicLights",
                               "Coronas",
                               "SkinDetail",
                               "TextureDetail",
                               "NoLighting",
                               "MinDesiredFrameRate",
                               "ScreenFlashes",
                               "NoFractalAnim",
                               "ParticleDensity",
                               "GameRenderDevice"};
    std::string store = "[Velmora]\r\nSaveNumber=3\r\n";
    const QList<QPair<QString, QList<QPair<int, QString>>>> sets = {
        {"same", {}}, {"twin", {{0, "16"}, {14, "OpenGl"}}}, {"twin", {{4, "False"}}}};
    for (qsizetype s = 0; s < sets.size(); ++s) {
        QStringList values = test::d3dClientValues();
        for (const auto& [row, value] : sets[s].second) {
            values[row] = value;
        }
        store += QStringLiteral("[Save%1]\r\nSaveName=%2\r\n")
                     .arg(s + 1)
                     .arg(sets[s].first)
                     .toStdString();
        for (qsizetype i = 0; i < names.size(); ++i) {
            store += (names[i] + "=" + values[i] + "\r\n").toStdString();
        }
    }
    return store;
}

} // namespace

class FrmloadTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        h = std::make_unique<EditorHarness>();
        test::writeBytes(h->storeFile, threeSets());
        h->openEditor();
    }
    void cleanup()
    {
        h->finish();
        h.reset();
    }

    void listsTheSetsAndWaitsForAChoice_data();
    void listsTheSetsAndWaitsForAChoice();
    void loadWritesTheChosenSetAndStaysOpen();
    void loadOfTheSnapshotWritesNothing();
    void loadAfterTheEditorClosedWritesNothing();
    void cancelClosesAndTheListIsRebuilt();

private:
    QComboBox* combo() { return h->control<QComboBox>(kLoad, "Combo1"); }
    QPushButton* loadButton() { return h->control<QPushButton>(kLoad, "Command1"); }
    void openDialog() { h->click(kForm4, "Command2"); }
    void choose(int index)
    {
        combo()->setCurrentIndex(index);
        QVERIFY(loadButton()->isEnabled());
    }

    std::unique_ptr<EditorHarness> h;
};

void FrmloadTest::listsTheSetsAndWaitsForAChoice_data()
{
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("Count 3 lists three names in set order")
        << QByteArray("3") << QStringList{"same", "twin", "twin"};
    QTest::newRow("Count 0 lists nothing") << QByteArray("0") << QStringList{};
    QTest::newRow("A count beyond the sets lists the sets present")
        << QByteArray("40000") << QStringList{"same", "twin", "twin"};
}

void FrmloadTest::listsTheSetsAndWaitsForAChoice()
{
    QFETCH(QByteArray, count);
    QFETCH(QStringList, names);
    QVERIFY(platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", count.toStdString())
                .ok());
    const std::string game = test::readBytes(h->gameFile);
    openDialog();
    QVERIFY(h->registry.loadedWindow(kLoad)->isVisible());
    QStringList listed;
    for (int i = 0; i < combo()->count(); ++i) {
        listed << combo()->itemText(i);
    }
    QCOMPARE(listed, names);
    QCOMPARE(combo()->currentIndex(), -1);
    QVERIFY(!loadButton()->isEnabled());
    QTest::mouseClick(loadButton(), Qt::LeftButton);
    QCOMPARE(test::readBytes(h->gameFile), game);
}

void FrmloadTest::loadWritesTheChosenSetAndStaysOpen()
{
    const std::string game = test::readBytes(h->gameFile);
    h->control<QAction>(kForm4, "Load")->trigger();
    choose(1);
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click(kLoad, "Command1");

    std::string expected = game;
    for (const auto& [section, key, value] :
         {std::tuple{"WinDrv.WindowsClient", "FullscreenColorbits", "16"},
          std::tuple{"Engine.Engine", "GameRenderDevice", "OpenGLDrv.OpenGLRenderDevice"}}) {
        expected = platform::profileWriteText(expected, section, key, value).contents;
    }
    QCOMPARE(test::readBytes(h->gameFile), expected);
    QVERIFY(h->mainShownWithCheckMark());
    QVERIFY(!h->registry.loadedWindow(kForm4)->isVisible());
    QVERIFY(h->registry.loadedWindow(kLoad)->isVisible());
    QCOMPARE(h->rows("Form5", "List2"), h->rows(kForm4, "List2"));
    QCOMPARE(h->rows(kForm4, "List2")[14], "OpenGl");

    // The other set of the same name loads its own section: only Decals differs from it now.
    choose(2);
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click(kLoad, "Command1");
    QCOMPARE(h->rows("Form5", "List4"),
             (QStringList{"FullscreenColorbits", "Decals", "GameRenderDevice"}));
    QCOMPARE(test::readBytes(h->gameFile),
             platform::profileWriteText(game, "WinDrv.WindowsClient", "Decals", "False").contents);
}

void FrmloadTest::loadOfTheSnapshotWritesNothing()
{
    const std::string game = test::readBytes(h->gameFile);
    openDialog();
    choose(0);
    h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information, MessageButtons::Ok);
    h->click(kLoad, "Command1");
    QCOMPARE(test::readBytes(h->gameFile), game);
    QVERIFY(h->rows("Form5", "List4").isEmpty());
    QVERIFY(h->mainShownWithCheckMark());
}

void FrmloadTest::loadAfterTheEditorClosedWritesNothing()
{
    const std::string game = test::readBytes(h->gameFile);
    openDialog();
    h->click(kForm4, "Command3");
    QVERIFY(!h->registry.isLoaded(kForm4));
    choose(1);
    h->dialogs.expectMessage("The editor has been closed. Open it again with \"User defined\" to "
                             "load a setting set.",
                             "Velmora", MessageIcon::Information, MessageButtons::Ok);
    h->click(kLoad, "Command1");
    QCOMPARE(test::readBytes(h->gameFile), game);
    QVERIFY(!h->registry.isLoaded(kForm4));
}

void FrmloadTest::cancelClosesAndTheListIsRebuilt()
{
    openDialog();
    QCOMPARE(combo()->count(), 3);
    QVERIFY(platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", "1").ok());
    h->click(kLoad, "Command2");
    QVERIFY(!h->registry.isLoaded(kLoad));
    openDialog();
    QCOMPARE(combo()->count(), 1);
}

QTEST_MAIN(FrmloadTest)
#include "frmload_test.moc"
