#include "config/catalogue.h"
#include "platform/profile.h"
#include "windowharness.h"

#include <QAction>
#include <QComboBox>
#include <QMap>
#include <QTest>

using namespace velmora;
using platform::ui::MessageIcon;

class FrmloadTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        h = std::make_unique<test::WindowHarness>();
        h->install(game);
        // The file's own values, then two sets named alike with their own changes.
        const std::pair<const char*, QMap<int, QString>> sets[] = {
            {"same", {}}, {"twin", {{0, "16"}, {14, "OpenGl"}}}, {"twin", {{4, "False"}}}};
        std::string store = "[Velmora]\r\nSaveNumber=3\r\n";
        for (int s = 0; s < 3; ++s) {
            store += "[Save" + std::to_string(s + 1) + "]\r\nSaveName=" + sets[s].first + "\r\n";
            for (int i = 0; i < 15; ++i)
                store += std::string(config::settingRows()[std::size_t(i)].key) + "=" +
                         sets[s].second.value(i, test::kD3dRows[i]).toStdString() + "\r\n";
        }
        test::writeFile(h->storeFile, store);
        h->openEditor();
    }
    void cleanup() { h->finish(); }

    void ListsTheSetsAndWaitsForAChoiceUntilEscape()
    {
        h->get<QAction>("Form4", "Load")->trigger();
        QStringList listed;
        for (int i = 0; i < combo()->count(); ++i)
            listed << combo()->itemText(i);
        QCOMPARE(listed.join('|') + QString::number(combo()->currentIndex()), "same|twin|twin-1");
        QVERIFY(!h->get("frmload", "Command1")->isEnabled());
        QTest::keyClick(h->registry.loadedWindow("frmload"), Qt::Key_Return);
        QCOMPARE(h->game(), game);
        // Escape cancels: the dialog closes and the next opening reads the store again.
        QVERIFY(platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", "1").ok());
        QTest::keyClick(h->registry.loadedWindow("frmload"), Qt::Key_Escape);
        QVERIFY(!h->registry.isLoaded("frmload"));
        h->get<QAction>("Form4", "Load")->trigger();
        QCOMPARE(combo()->count(), 1);
    }

    void LoadWritesTheChosenSetAndStaysOpen()
    {
        h->click("Form4", "Command2");
        load(0); // the file's own values: nothing to write
        QCOMPARE(h->game(), game);
        // A preset after the load: loading the same set again brings its values back.
        h->expectPreset(platform::ui::MessageAnswer::Yes);
        h->expectApplied();
        h->click("Frmmain", "Option2");
        QVERIFY(h->rows("Frmmain", "List2") != test::kD3dRows);
        load(0);
        QCOMPARE(h->rows("Form4", "List2"), test::kD3dRows);
        h->install(game); // back to the file the other loads start from

        load(1, Qt::Key_Return);
        QCOMPARE(h->rows("Form4", "List2")[14], "OpenGl");
        QCOMPARE(h->rows("Form5", "List2"), h->rows("Form4", "List2"));
        load(2); // the other "twin": its own section, measured against the file
        QCOMPARE(h->rows("Form5", "List4").join('|'),
                 "FullscreenColorbits|Decals|GameRenderDevice");
    }

    void SetGoneOrEditorClosedChangesNothing()
    {
        h->click("Form4", "Command2");
        test::writeFile(h->storeFile, "[Velmora]\r\nSaveNumber=3\r\n");
        combo()->setCurrentIndex(1);
        h->expectError(QString::fromStdString("The setting set \"twin\" is no longer in " +
                                              h->storeFile + ", so nothing was changed."));
        h->click("frmload", "Command1");
        h->click("Form4", "Command3");
        h->expectBox("The editor has been closed. Open it again with \"User "
                     "defined\" to load a setting set.",
                     "Velmora", MessageIcon::Information);
        h->click("frmload", "Command1");
        QCOMPARE(h->game(), game);
    }

private:
    QComboBox* combo() { return h->get<QComboBox>("frmload", "Combo1"); }
    // Chooses the set at `position` and loads it with "&Load", or with `key`.
    void load(int position, Qt::Key key = Qt::Key_unknown)
    {
        combo()->setCurrentIndex(position);
        h->expectApplied();
        if (key == Qt::Key_unknown)
            h->click("frmload", "Command1");
        else
            QTest::keyClick(h->registry.loadedWindow("frmload"), key);
        QVERIFY(h->get("Frmmain", "Picture1")->isVisible() &&
                h->registry.loadedWindow("frmload")->isVisible());
    }
    std::unique_ptr<test::WindowHarness> h;
    std::string game = test::fixture("client-451-windows-d3d.ini");
};

QTEST_MAIN(FrmloadTest)
#include "frmload_test.moc"
