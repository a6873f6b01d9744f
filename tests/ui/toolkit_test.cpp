#include "windowharness.h"

#include <QTest>

using namespace velmora;
using namespace velmora::toolkit;

namespace {

// Counts the registry's calls; `cancelClose` refuses closing.
class CountingWindow : public VelmoraWindow {
public:
    using VelmoraWindow::VelmoraWindow;
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Unload(bool& cancel) override { cancel = ++unloads > 0; }
    int loads = 0, activations = 0, unloads = 0;
};

} // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        h = std::make_unique<test::WindowHarness>();
        for (const char* name : {"A", "B"})
            h->registry.registerFactory(
                name, [this] { return std::make_unique<CountingWindow>(h->registry); });
    }
    void cleanup() { h->finish(); }

    // Loading, showing again and the system's own activation do not activate; switching does.
    void LoadsOnceAndOnlySwitchingBackActivates()
    {
        QVERIFY(h->registry.setVisible("A", false) && h->registry.setVisible("A", true));
        auto* a = static_cast<CountingWindow*>(h->registry.window("A"));
        QCOMPARE(a->objectName(), "A");
        h->registry.systemActivated(a); // what Qt does when a message box over it closes
        a->activateWindow();
        QCoreApplication::processEvents();
        QVERIFY(h->registry.setVisible("A", true));
        QCOMPARE(a->loads, 1);
        QCOMPARE(a->activations, 1);
        h->registry.setVisible("B", true);
        QCOMPARE(h->registry.activeWindow(), h->registry.window("B"));
        h->registry.userActivates("A");
        QCOMPARE(h->registry.activeWindow(), a);
        QCOMPARE(a->activations, 2);
    }

    // Fixed before it is first shown, so that no window manager offers to maximize it.
    void EveryWindowButTheWorkingListsHasAFixedSize()
    {
        for (const char* name : {"frmSplash", "Frmmain", "Form4", "frmload", "frmAbout"}) {
            VelmoraWindow* window = h->registry.window(name);
            QVERIFY(!window->isVisible());
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        }
    }

    // Every message box check of the window suites relies on these reports.
    void ScriptedDialogsReportUnscriptedAndMismatchedBoxes()
    {
        ScriptedDialogs dialogs;
        QCOMPARE(dialogs.messageBox("Quit?", "", MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::No);
        QString why;
        QVERIFY(!dialogs.expectEmpty(&why));
        QVERIFY(why.contains("unscripted message \"Quit?\" titled \"Velmora\""));
        ScriptedDialogs scripted;
        scripted.expectMessage("a", "T", MessageIcon::Critical, MessageButtons::Ok);
        scripted.expectInput("Name?", "T", "x");
        scripted.messageBox("a", "T", MessageIcon::Warning, MessageButtons::Ok);
        QVERIFY(!scripted.expectEmpty(&why));
        QVERIFY(why.contains("critical icon, OK but got message \"a\" titled \"T\", warning icon"));
        QVERIFY(why.contains("never shown: input box \"Name?\""));
    }

private:
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
