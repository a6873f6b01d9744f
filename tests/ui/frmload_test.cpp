#include "config/catalogue.h"
#include "editorharness.h"

#include <QAction>
#include <QComboBox>

using namespace velmora;
using ui::MessageButtons;
using ui::MessageIcon;

class FrmloadTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup()
    {
        h->finish();
        h.reset();
    }
    void listsTheSetsAndLoadWaitsForAChoice_data();
    void listsTheSetsAndLoadWaitsForAChoice();
    void loadWritesTheChosenSetAndStaysOpen();
    void loadAfterTheEditorClosedWritesNothing();

private:
    QComboBox* combo() { return h->get<QComboBox>("frmload", "Combo1"); }
    void load(int position)
    {
        combo()->setCurrentIndex(position);
        h->dialogs.expectMessage(test::kApplied, "Done", MessageIcon::Information,
                                 MessageButtons::Ok);
        h->click("frmload", "Command1");
    }
    std::unique_ptr<test::EditorHarness> h;
    std::string game;
};

void FrmloadTest::init()
{
    h = std::make_unique<test::EditorHarness>();
    game = test::readBytes(h->Utpath);
    // Three sets: the file's own values, then two named alike with their own changes.
    const QList<QPair<QString, QList<QPair<int, QString>>>> sets = {
        {"same", {}}, {"twin", {{0, "16"}, {14, "OpenGl"}}}, {"twin", {{4, "False"}}}};
    std::string store = "[Velmora]\r\nSaveNumber=3\r\n";
    for (qsizetype s = 0; s < sets.size(); ++s) {
        QStringList values = test::kD3dValues;
        for (const auto& [row, value] : sets[s].second) {
            values[row] = value;
        }
        store += QStringLiteral("[Save%1]\r\nSaveName=%2\r\n")
                     .arg(s + 1)
                     .arg(sets[s].first)
                     .toStdString();
        for (std::size_t i = 0; i < config::kRowCount; ++i) {
            store += std::string(config::settingRows()[i].key) + "=" +
                     values[static_cast<qsizetype>(i)].toStdString() + "\r\n";
        }
    }
    test::writeBytes(h->storeFile, store);
    h->openEditor();
}

void FrmloadTest::listsTheSetsAndLoadWaitsForAChoice_data()
{
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("Count 3 lists three names in set order")
        << QByteArray("3") << QStringList{"same", "twin", "twin"};
    QTest::newRow("Count 0 lists nothing") << QByteArray("0") << QStringList{};
    QTest::newRow("A count beyond the sets lists the sets present")
        << QByteArray("40000") << QStringList{"same", "twin", "twin"};
}

void FrmloadTest::listsTheSetsAndLoadWaitsForAChoice()
{
    QFETCH(QByteArray, count);
    QFETCH(QStringList, names);
    QVERIFY(platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", count.data()).ok());
    h->get<QAction>("Form4", "Load")->trigger();
    QVERIFY(h->registry.loadedWindow("frmload")->isVisible());
    QStringList listed;
    for (int i = 0; i < combo()->count(); ++i) {
        listed << combo()->itemText(i);
    }
    QCOMPARE(listed, names);
    QCOMPARE(combo()->currentIndex(), -1);
    QVERIFY(!h->get("frmload", "Command1")->isEnabled());
    h->click("frmload", "Command1");
    QCOMPARE(test::readBytes(h->Utpath), game);

    // "&Cancel" closes the dialog; the next opening reads the store again.
    QVERIFY(platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", "1").ok());
    h->click("frmload", "Command2");
    QVERIFY(!h->registry.isLoaded("frmload"));
    h->get<QAction>("Form4", "Load")->trigger();
    QCOMPARE(combo()->count(), 1);
}

void FrmloadTest::loadWritesTheChosenSetAndStaysOpen()
{
    h->click("Form4", "Command2");
    load(0); // the snapshot's own values: nothing to write
    QCOMPARE(test::readBytes(h->Utpath), game);
    QVERIFY(h->mainShownWithCheckMark());

    load(1);
    std::string expected = test::written(game, "WinDrv.WindowsClient", "FullscreenColorbits", "16");
    expected = test::written(expected, "Engine.Engine", "GameRenderDevice",
                             "OpenGLDrv.OpenGLRenderDevice");
    QCOMPARE(test::readBytes(h->Utpath), expected);
    QVERIFY(h->mainShownWithCheckMark());
    QVERIFY(h->registry.loadedWindow("frmload")->isVisible());
    QCOMPARE(h->rows("Form4", "List2")[14], "OpenGl");
    QCOMPARE(h->rows("Form5", "List2"), h->rows("Form4", "List2"));

    load(2); // the other "twin": its own section, measured against the new snapshot
    QCOMPARE(h->rows("Form5", "List4"),
             (QStringList{"FullscreenColorbits", "Decals", "GameRenderDevice"}));
    QCOMPARE(test::readBytes(h->Utpath),
             test::written(game, "WinDrv.WindowsClient", "Decals", "False"));
}

void FrmloadTest::loadAfterTheEditorClosedWritesNothing()
{
    h->click("Form4", "Command2");
    h->click("Form4", "Command3");
    QVERIFY(!h->registry.isLoaded("Form4"));
    combo()->setCurrentIndex(1);
    h->dialogs.expectMessage("The editor has been closed. Open it again with \"User defined\" to "
                             "load a setting set.",
                             "Velmora", MessageIcon::Information, MessageButtons::Ok);
    h->click("frmload", "Command1");
    QCOMPARE(test::readBytes(h->Utpath), game);
}

QTEST_MAIN(FrmloadTest)
#include "frmload_test.moc"
