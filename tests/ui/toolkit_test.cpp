#include "windowharness.h"

#include <QTest>

using namespace velmora;
using namespace velmora::toolkit;

namespace {

// Counts the registry's calls and refuses every unload, which ending the program overrides.
class CountingWindow : public VelmoraWindow {
public:
    using VelmoraWindow::VelmoraWindow;
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Unload(bool& cancel) override { cancel = true; }
    int loads = 0, activations = 0;
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
    void ScriptedDialogsReportUnscriptedMismatchedAndMissingBoxes()
    {
        ScriptedDialogs dialogs;
        QCOMPARE(dialogs.messageBox("Quit?", "", MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::No);
        dialogs.expectMessage("a", "T", MessageIcon::Critical, MessageButtons::Ok);
        dialogs.messageBox("a", "T", MessageIcon::Warning, MessageButtons::Ok);
        dialogs.expectInput("Name?", "T", "x");
        QString why;
        QVERIFY(!dialogs.expectEmpty(&why));
        QCOMPARE(why, "unscripted message \"Quit?\" titled \"Velmora\", question icon, Yes/No\n"
                      "expected message \"a\" titled \"T\", critical icon, OK but got message "
                      "\"a\" titled \"T\", warning icon, OK\nnever shown: input box \"Name?\" "
                      "titled \"T\"");
    }

private:
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
