#include "platform/ui/controls.h"
#include "platform/ui/geometry.h"
#include "platform/ui/scripteddialogs.h"
#include "platform/ui/velmorawindow.h"
#include "platform/ui/windowregistry.h"

#include <array>
#include <memory>

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace velmora::ui;

namespace {

// Counts the registry's calls; `cancelClose` refuses closing.
class CountingWindow : public VelmoraWindow {
public:
    using VelmoraWindow::VelmoraWindow;
    void Form_Load() override
    {
        ++loads;
        if (endOnLoad) {
            registry().endProgram(3);
        }
    }
    void Form_Activate() override { ++activations; }
    void Form_Unload(bool& cancel) override
    {
        ++unloads;
        cancel = cancelClose;
    }
    int loads = 0;
    int activations = 0;
    int unloads = 0;
    bool cancelClose = false;
    bool endOnLoad = false;
};

} // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twipsBecomePixels_data();
    void twipsBecomePixels();

    void windowLoadsOnceOnFirstReference();
    void showingActivatesOnceAndRepeatedQtActivationIsIgnored();
    void userSwitchingBackRunsActivateAgain();
    void cancelledCloseChangesNothing();
    void closedWindowLoadsAnewOnNextReference();
    void endProgramClosesAllWithoutUnloadHandlers();
    void endingTheProgramDuringLoadGivesNoWindow();
    void unregisteredWindowIsReportedNotCreated();

    void replacedListRowLeavesNoSelection();
    void listClickRunsOnMouseAndKeyboardSelection();
    void removingSelectedComboItemLeavesNoSelection();
    void dropDownRunsBeforeTheListShows();
    void textBoxChangeRunsOnTypingAndProgramText();
    void digitsOnlyTypingKeepsProgramText();
    void controlTableNamesPlacesAndOrders();

    void scriptedDialogsReportUnscriptedAndMismatchedBoxes();

private:
    CountingWindow* counting(const QString& name)
    {
        return static_cast<CountingWindow*>(m_registry->window(name));
    }

    std::unique_ptr<WindowRegistry> m_registry;
};

void ToolkitTest::init()
{
    m_registry = std::make_unique<WindowRegistry>();
    for (const char* name : {"A", "B"}) {
        m_registry->registerFactory(QString::fromLatin1(name), [this] {
            return std::make_unique<CountingWindow>(*m_registry);
        });
    }
}

void ToolkitTest::cleanup()
{
    m_registry->endProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    m_registry.reset();
}

void ToolkitTest::twipsBecomePixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("an inch at 96 dpi") << 1440 << 96.0 << 96;
    QTest::newRow("15 twips are one pixel at 96 dpi") << 15 << 96.0 << 1;
    QTest::newRow("main window width rounds") << 7308 << 96.0 << 487;
    QTest::newRow("an inch at 120 dpi") << 1440 << 120.0 << 120;
}

void ToolkitTest::twipsBecomePixels()
{
    QFETCH(int, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips, dpi), pixels);
}

void ToolkitTest::windowLoadsOnceOnFirstReference()
{
    QVERIFY(!m_registry->isLoaded("A"));
    CountingWindow* a = counting("A");
    QVERIFY(a != nullptr);
    QCOMPARE(a->objectName(), QStringLiteral("A"));
    QVERIFY(m_registry->setVisible("A", false));
    QCOMPARE(counting("A"), a);
    QCOMPARE(a->loads, 1);
    QVERIFY(!a->isVisible());
    QCOMPARE(a->activations, 0);
}

void ToolkitTest::showingActivatesOnceAndRepeatedQtActivationIsIgnored()
{
    QVERIFY(m_registry->setVisible("A", true));
    CountingWindow* a = counting("A");
    QVERIFY(a->isVisible());
    QCOMPARE(m_registry->activeWindow(), a);
    QCOMPARE(a->activations, 1);
    // What Qt does when a message box over the window closes.
    m_registry->systemActivated(a);
    a->activateWindow();
    QCoreApplication::processEvents();
    QVERIFY(m_registry->setVisible("A", true));
    QCOMPARE(a->activations, 1);
}

void ToolkitTest::userSwitchingBackRunsActivateAgain()
{
    m_registry->setVisible("A", true);
    m_registry->setVisible("B", true);
    CountingWindow* a = counting("A");
    QCOMPARE(m_registry->activeWindow(), counting("B"));
    m_registry->userActivates("A");
    QCOMPARE(m_registry->activeWindow(), a);
    QCOMPARE(a->activations, 2);
    QCOMPARE(counting("B")->activations, 1);
}

void ToolkitTest::cancelledCloseChangesNothing()
{
    m_registry->setVisible("A", true);
    CountingWindow* a = counting("A");
    a->cancelClose = true;
    QVERIFY(!a->close());
    QVERIFY(!m_registry->unload("A"));
    QCOMPARE(a->unloads, 2);
    QVERIFY(a->isVisible());
    QCOMPARE(m_registry->loadedWindow("A"), a);
    QCOMPARE(m_registry->activeWindow(), a);
}

void ToolkitTest::closedWindowLoadsAnewOnNextReference()
{
    m_registry->setVisible("A", true);
    QPointer<CountingWindow> first = counting("A");
    first->close();
    QCOMPARE(first->unloads, 1);
    QVERIFY(!m_registry->isLoaded("A"));
    QVERIFY(m_registry->activeWindow() == nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    CountingWindow* second = counting("A");
    QCOMPARE(second->loads, 1);
}

void ToolkitTest::endProgramClosesAllWithoutUnloadHandlers()
{
    QSignalSpy ended(m_registry.get(), &WindowRegistry::programEnded);
    m_registry->setVisible("A", true);
    m_registry->setVisible("B", false);
    QPointer<CountingWindow> a = counting("A");
    a->cancelClose = true;
    m_registry->endProgram(0);
    QCOMPARE(a->unloads, 0);
    QVERIFY(!a->isVisible());
    QVERIFY(!m_registry->isLoaded("A") && !m_registry->isLoaded("B"));
    QCOMPARE(ended.count(), 1);
    QVERIFY(m_registry->window("A") == nullptr);
}

void ToolkitTest::endingTheProgramDuringLoadGivesNoWindow()
{
    m_registry->registerFactory("C", [this] {
        auto window = std::make_unique<CountingWindow>(*m_registry);
        window->endOnLoad = true;
        return window;
    });
    QVERIFY(m_registry->window("C") == nullptr);
    QVERIFY(!m_registry->setVisible("A", true));
    QVERIFY(m_registry->hasEnded());
    QCOMPARE(m_registry->exitCode(), 3);
}

void ToolkitTest::unregisteredWindowIsReportedNotCreated()
{
    QVERIFY(!m_registry->hasFactory("Form4"));
    QVERIFY(m_registry->window("Form4") == nullptr);
    QVERIFY(!m_registry->setVisible("Form4", true));
}

void ToolkitTest::replacedListRowLeavesNoSelection()
{
    DesignListBox list;
    QSignalSpy clicks(&list, &DesignListBox::Click);
    for (const char* text : {"one", "two", "three"}) {
        list.addRow(QString::fromLatin1(text));
    }
    list.setCurrentRow(1);
    QCOMPARE(clicks.count(), 1);
    list.replaceRow(1, "TWO");
    QCOMPARE(list.rowText(1), QStringLiteral("TWO"));
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.selectedRow(), -1);
    QCOMPARE(clicks.count(), 1);
}

void ToolkitTest::listClickRunsOnMouseAndKeyboardSelection()
{
    DesignListBox list;
    list.resize(200, 200);
    for (const char* text : {"one", "two", "three"}) {
        list.addRow(QString::fromLatin1(text));
    }
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &DesignListBox::Click);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(2)).center());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(list.selectedRow(), 2);
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(list.selectedRow(), 1);
    list.setEnabled(false);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(0)).center());
    QCOMPARE(list.selectedRow(), 1);
}

void ToolkitTest::removingSelectedComboItemLeavesNoSelection()
{
    DesignComboBox combo;
    combo.addItems({"prompt", "a", "b"});
    combo.setCurrentIndex(0);
    combo.removeItemAt(0);
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.currentIndex(), -1);
    combo.setCurrentIndex(1);
    combo.removeItemAt(0);
    QCOMPARE(combo.currentText(), QStringLiteral("b"));
}

void ToolkitTest::dropDownRunsBeforeTheListShows()
{
    DesignComboBox combo;
    combo.addItems({"prompt", "a"});
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    int runs = 0;
    bool listWasShown = true;
    connect(&combo, &DesignComboBox::DropDown, &combo, [&] {
        ++runs;
        listWasShown = combo.view()->isVisible();
        combo.removeItemAt(0);
    });
    QTest::keyClick(&combo, Qt::Key_Space);
    QCOMPARE(runs, 1);
    QVERIFY(!listWasShown);
    QTRY_VERIFY(combo.view()->isVisible());
    QCOMPARE(combo.count(), 1);
    combo.hidePopup();
}

void ToolkitTest::textBoxChangeRunsOnTypingAndProgramText()
{
    DesignTextBox box;
    QSignalSpy changes(&box, &DesignTextBox::Change);
    box.setText(" 96");
    QCOMPARE(changes.count(), 1);
    box.clear();
    QTest::keyClicks(&box, "12");
    QCOMPARE(changes.count(), 4);
    QCOMPARE(box.text(), QStringLiteral("12"));
}

void ToolkitTest::digitsOnlyTypingKeepsProgramText()
{
    DesignTextBox box;
    box.setDigitsOnlyTyping(true);
    box.setText(" 96");
    QCOMPARE(box.text(), QStringLiteral(" 96"));
    box.end(false);
    QTest::keyClicks(&box, "4x-");
    QCOMPARE(box.text(), QStringLiteral(" 964"));
}

void ToolkitTest::controlTableNamesPlacesAndOrders()
{
    static constexpr std::array<ControlSpec, 4> specs = {{
        {"Frame1", ControlKind::Frame, nullptr, 120, 0, 3000, 1500, "Graphics", 0},
        {"Command2", ControlKind::CommandButton, nullptr, 150, 1500, 1500, 450, "Second", 2},
        {"Command1", ControlKind::CommandButton, "Frame1", 150, 300, 1500, 450, "&First", 1},
        {"Text1", ControlKind::TextBox, nullptr, 1800, 1500, 600, 300, " 5", 3},
    }};
    QWidget client;
    const ControlSet controls = createControls(&client, specs, 96.0);
    auto* first = controls.get<QPushButton>("Command1");
    QCOMPARE(first->text(), QStringLiteral("&First"));
    QCOMPARE(first->parentWidget(), controls.widget("Frame1"));
    QCOMPARE(first->geometry(), QRect(10, 20, 100, 30));
    QCOMPARE(controls.get<DesignTextBox>("Text1")->text(), QStringLiteral(" 5"));
    QCOMPARE(first->nextInFocusChain(), controls.widget("Command2"));
    QCOMPARE(controls.widget("Command2")->nextInFocusChain(), controls.widget("Text1"));
}

void ToolkitTest::scriptedDialogsReportUnscriptedAndMismatchedBoxes()
{
    ScriptedDialogs dialogs;
    dialogs.expectMessage("Sure?", "", MessageIcon::Question, MessageButtons::YesNo,
                          MessageAnswer::Yes);
    QCOMPARE(dialogs.messageBox("Sure?", "", MessageIcon::Question, MessageButtons::YesNo),
             MessageAnswer::Yes);
    QCOMPARE(dialogs.shown().first().title, QStringLiteral("Velmora"));
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

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
