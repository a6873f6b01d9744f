#include "windowharness.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

using namespace velmora;
using ui::MessageButtons;
using ui::MessageIcon;

// The program as main() builds it, on a copy of a real game file in a Wine-style prefix: from
// the splash through the editor and back, seen in the windows and in the file's bytes.
class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<test::WindowHarness>(); }
    void cleanup() { h->finish(); }
    void editedDetailReachesTheGameFileAndASavedSetLoadsBack()
    {
        const std::string original = test::fixture("client-451-windows-d3d.ini");
        h->install(original);
        QVERIFY(h->registry.setVisible("frmSplash", true));
        QTRY_VERIFY(!h->registry.isLoaded("frmSplash"));
        QVERIFY(visible("Frmmain"));
        QCOMPARE(h->rows("Frmmain", "List2")[8], "High");

        h->click("Frmmain", "Option3"); // "User defined"
        QVERIFY(visible("Form4") && !visible("Frmmain"));
        h->click("Form4", "Command1"); // "&Edit"
        h->clickRow("Form4", "List2", 8);
        QCOMPARE(h->rows("Form4", "List2")[8], "Low");
        h->dialogs.expectInput("Please enter a name to save settings to", "Save Settings", "low");
        h->dialogs.expectMessage("Settings were saved, REMEMBER no changes were made to Unreal "
                                 "tournament.ini, Press Update to do that ",
                                 "Velmora", MessageIcon::Information, MessageButtons::Ok);
        h->click("Form4", "Command1"); // "Save"
        h->expectApplied();
        h->click("Form4", "Command4"); // "&Update "

        QVERIFY(!visible("Form4") && visible("Frmmain"));
        QVERIFY(h->get<QLabel>("Frmmain", "Picture1")->isVisible());
        QCOMPARE(h->rows("Frmmain", "List2")[8], "Low");
        std::string expected = original;
        const std::size_t line = expected.find("TextureDetail=High\r\n");
        QVERIFY(line != std::string::npos);
        expected.replace(line, 18, "TextureDetail=Low");
        QCOMPARE(h->game(), expected);

        // Back in the editor the saved set loads; it matches the file, so nothing is written.
        h->click("Frmmain", "Option3");
        QCOMPARE(h->rows("Form4", "List2")[8], "Low");
        h->click("Form4", "Command2"); // "&Load Settings"
        auto* sets = h->get<QComboBox>("frmload", "Combo1");
        QCOMPARE(sets->count(), 1);
        QCOMPARE(sets->itemText(0), "low");
        sets->setCurrentIndex(0);
        h->expectApplied();
        h->click("frmload", "Command1"); // "&Load"
        QVERIFY(visible("Frmmain") && visible("frmload"));
        QCOMPARE(h->game(), expected);
    }

private:
    bool visible(const char* window) { return h->registry.loadedWindow(window)->isVisible(); }
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(EndToEndTest)
#include "endtoend_test.moc"
