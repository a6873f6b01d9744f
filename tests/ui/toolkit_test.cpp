#include "windowharness.h"

using namespace velmora;
using namespace velmora::toolkit;

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<test::WindowHarness>(); }
    void cleanup() { h->finish(); }

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

    // Every message box check of the window suites relies on a box unlike the script failing.
    void ScriptedDialogsFailOnAMismatchedBox()
    {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("a", "T", MessageIcon::Critical, MessageButtons::Ok);
        dialogs.messageBox("a", "T", MessageIcon::Warning, MessageButtons::Ok);
        QVERIFY(!dialogs.expectEmpty());
    }

private:
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
