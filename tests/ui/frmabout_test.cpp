#include "windowharness.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace velmora;

class FrmaboutTest : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<test::WindowHarness>(); }
    void cleanup() { h->finish(); }

    void OpensCentredNotModalWithItsTextsOnceUntilOkClosesIt()
    {
        h->showMain();
        QPointer<platform::ui::VelmoraWindow> about = openAbout();
        QCOMPARE(about->windowTitle(), "About Velmora");
        QCOMPARE(label("lblFile").remove(QChar(0x200b)),
                 "Editing: " + QString::fromStdString(h->Utpath));
        QCOMPARE(label("lblTitle") + "|" + label("lblVersion"), "Velmora|Version 1.1.0");
        QVERIFY(label("lblDisclaimer").contains("version 1.2.0"));
        QVERIFY(label("lblDescription").startsWith("App Description:"));
        QCOMPARE(label("Label1"), "Disclaimer: All the Logo's used  in this program are property "
                                  "of the respective owners. ");
        QCOMPARE(about->focusWidget(), h->get("frmAbout", "cmdOK"));
        QVERIFY(!about->isModal() && QApplication::activeModalWidget() == nullptr);
        // The outer size is known only once the window is on screen; its decorations may then
        // shift the centre by a few pixels.
        const QPoint offset =
            about->frameGeometry().center() - QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY2(qAbs(offset.x()) <= 2 && qAbs(offset.y()) <= 16,
                 qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
        // A second About shows the same box; Escape is OK.
        h->get<QLabel>("frmAbout", "lblTitle")->setText("changed");
        QCOMPARE(openAbout(), about.data());
        QTest::keyClick(about.data(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull() && !h->registry.isLoaded("frmAbout"));
        openAbout();
        QCOMPARE(label("lblTitle"), "Velmora");
    }

private:
    platform::ui::VelmoraWindow* openAbout()
    {
        h->registry.setVisible("frmAbout", true);
        return h->registry.loadedWindow("frmAbout");
    }
    QString label(const char* name) { return h->get<QLabel>("frmAbout", name)->text(); }
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(FrmaboutTest)
#include "frmabout_test.moc"
