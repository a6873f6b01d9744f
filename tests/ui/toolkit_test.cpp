#include "platform/ui/controls.h"
#include "platform/ui/geometry.h"
#include "windowharness.h"

#include <array>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;
using namespace velmora::platform::ui;

namespace {

// Counts the registry's calls; `cancelClose` refuses closing.
class CountingWindow : public VelmoraWindow {
public:
    using VelmoraWindow::VelmoraWindow;
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Unload(bool& cancel) override
    {
        ++unloads;
        cancel = cancelClose;
    }
    int loads = 0, activations = 0, unloads = 0;
    bool cancelClose = false;
};

} // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        h = std::make_unique<test::WindowHarness>();
        for (const char* name : {"A", "B"}) {
            h->registry.registerFactory(
                name, [this] { return std::make_unique<CountingWindow>(h->registry); });
        }
    }
    void cleanup() { h->finish(); }

    void LoadsOnceAndOnlyShowingAndSwitchingBackActivate()
    {
        QVERIFY(h->registry.setVisible("A", false));
        CountingWindow* a = counting("A");
        QCOMPARE(a->objectName(), "A");
        QCOMPARE(a->activations, 0);
        QVERIFY(h->registry.setVisible("A", true));
        QCOMPARE(counting("A"), a);
        QCOMPARE(a->loads, 1);
        QCOMPARE(h->registry.activeWindow(), a);
        // What Qt does when a message box over the window closes.
        h->registry.systemActivated(a);
        a->activateWindow();
        QCoreApplication::processEvents();
        QVERIFY(h->registry.setVisible("A", true));
        QCOMPARE(a->activations, 1);
        h->registry.setVisible("B", true);
        QCOMPARE(h->registry.activeWindow(), counting("B"));
        h->registry.userActivates("A");
        QCOMPARE(h->registry.activeWindow(), a);
        QCOMPARE(a->activations, 2);
        QCOMPARE(counting("B")->activations, 1);
    }

    void EndProgramClosesAllWithoutUnloadHandlers()
    {
        QSignalSpy ended(&h->registry, &WindowRegistry::programEnded);
        h->registry.setVisible("A", true);
        h->registry.setVisible("B", false);
        QPointer<CountingWindow> a = counting("A");
        a->cancelClose = true;
        h->registry.endProgram(0);
        QCOMPARE(a->unloads, 0);
        QVERIFY(!a->isVisible());
        QVERIFY(!h->registry.isLoaded("A") && !h->registry.isLoaded("B"));
        QCOMPARE(ended.count(), 1);
        QVERIFY(h->registry.window("A") == nullptr);
    }

    void ListClickRunsOnSelectionButNotOnReplacedRows()
    {
        DesignListBox list;
        list.resize(200, 200);
        for (const char* text : {"one", "two", "three"}) {
            list.addRow(text);
        }
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy clicks(&list, &DesignListBox::Click);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(2)).center());
        QTest::keyClick(&list, Qt::Key_Up);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(list.selectedRow(), 1);
        list.replaceRow(1, "TWO");
        QCOMPARE(list.rowText(1) + QString::number(list.rowCount()), "TWO3");
        QCOMPARE(list.selectedRow(), -1);
        QCOMPARE(clicks.count(), 2);
    }

    void ComboDropDownRunsFirstAndRemovingTheSelectionLeavesNone()
    {
        DesignComboBox combo;
        combo.addItems({"prompt", "a", "b"});
        combo.setCurrentIndex(2);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        bool listWasShown = true;
        connect(&combo, &DesignComboBox::DropDown, &combo, [&] {
            listWasShown = combo.view()->isVisible();
            combo.removeItemAt(0);
        });
        QTest::keyClick(&combo, Qt::Key_Space);
        QVERIFY(!listWasShown);
        QTRY_VERIFY(combo.view()->isVisible());
        combo.hidePopup();
        QCOMPARE(combo.currentText(), "b"); // another item removed: the choice stays
        combo.removeItemAt(1);
        QCOMPARE(combo.count(), 1);
        QCOMPARE(combo.currentIndex(), -1);
    }

    void TextBoxChangeRunsForProgramTextAndDigitsOnlyTyping()
    {
        DesignTextBox box;
        QSignalSpy changes(&box, &DesignTextBox::Change);
        box.setDigitsOnlyTyping(true);
        box.setText(" 96");
        QCOMPARE(changes.count(), 1);
        box.end(false);
        QTest::keyClicks(&box, "4x-");
        QCOMPARE(box.text(), " 964");
        QCOMPARE(changes.count(), 2);
    }

    void ControlTableNamesPlacesAndOrders()
    {
        static constexpr std::array<ControlDesign, 5> designs = {{
            {"Frame1", ControlKind::Frame, nullptr, 120, 0, 3000, 1500, "Graphics", 0},
            {"Command3", ControlKind::CommandButton, "Frame1", 1350, 900, 300, 450,
             "&Load Settings", -1},
            {"Command2", ControlKind::CommandButton, nullptr, 150, 1500, 1500, 450, "Second", 2},
            {"Command1", ControlKind::CommandButton, "Frame1", 150, 300, 1500, 450, "&First", 1},
            {"Text1", ControlKind::TextBox, nullptr, 1800, 1500, 600, 300, " 5", 3},
        }};
        QWidget client;
        const ControlSet controls = createControls(&client, designs, 96.0);
        auto* first = controls.get<QPushButton>("Command1");
        QCOMPARE(first->text(), "&First");
        QCOMPARE(first->parentWidget(), controls.widget("Frame1"));
        QCOMPARE(first->geometry(), QRect(10, 20, 100, 30));
        QCOMPARE(controls.get<DesignTextBox>("Text1")->text(), " 5");
        QCOMPARE(first->nextInFocusChain(), controls.widget("Command2"));
        QCOMPARE(controls.widget("Command2")->nextInFocusChain(), controls.widget("Text1"));
        // A caption wider than its button widens it about its centre, inside its frame.
        const QRect widened = controls.widget("Command3")->geometry();
        QCOMPARE(widened.width(), controls.widget("Command3")->sizeHint().width());
        QVERIFY(widened.left() < 90 && widened.right() < 200);
        QVERIFY(qAbs(widened.center().x() - QRect(90, 60, 20, 30).center().x()) <= 1);
        QCOMPARE(twipsToPixels(7308, 96.0), 487); // rounds, as the main window's width needs
        QCOMPARE(twipsToPixels(1440, 120.0), 120);
    }

    void ScriptedDialogsReportUnscriptedAndMismatchedBoxes()
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Sure?", "", MessageIcon::Question, MessageButtons::YesNo,
                              MessageAnswer::Yes);
        QCOMPARE(dialogs.messageBox("Sure?", "", MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::Yes);
        QCOMPARE(dialogs.shown().first().title, "Velmora");
        QVERIFY(dialogs.expectEmpty());
        QCOMPARE(dialogs.messageBox("Quit?", "Q", MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::No);
        QString why;
        QVERIFY(!dialogs.expectEmpty(&why));
        QVERIFY(why.contains("unscripted message \"Quit?\""));

        dialogs.reset();
        dialogs.expectMessage("a", "T", MessageIcon::Critical, MessageButtons::Ok);
        dialogs.expectInput("Name?", "T", "x");
        dialogs.messageBox("a", "T", MessageIcon::Warning, MessageButtons::Ok);
        QVERIFY(!dialogs.expectEmpty(&why));
        QVERIFY(why.contains("critical icon, OK but got message \"a\" titled \"T\", warning icon"));
        QVERIFY(why.contains("never shown: input box \"Name?\""));
    }

private:
    CountingWindow* counting(const char* name)
    {
        return static_cast<CountingWindow*>(h->registry.window(name));
    }
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
