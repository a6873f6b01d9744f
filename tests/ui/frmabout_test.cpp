#include "app/windows.h"
#include "config/readmodule.h"
#include "platform/ui/scripteddialogs.h"
#include "platform/ui/velmorawindow.h"
#include "platform/ui/windowregistry.h"
#include "uitestsupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace velmora;

class FrmaboutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTitleVersionAndTheFixedWarning();
    void secondAboutReusesTheBoxUntilOkClosesIt();
    void boxIsNotModalAndOpensCentred();

private:
    ui::VelmoraWindow* openAbout()
    {
        m_registry->setVisible("frmAbout", true);
        return m_registry->loadedWindow("frmAbout");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeGameLocator> m_locator;
    test::FixedSystemInfo m_system;
    ui::ScriptedDialogs m_dialogs;
    ui::FakeDocumentOpener m_documents;
    config::ReadModule m_readModule;
    std::unique_ptr<ui::WindowRegistry> m_registry;
};

void FrmaboutTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_locator = std::make_unique<test::FakeGameLocator>(m_dir->path(), "C:\\UnrealTournament");
    m_registry = std::make_unique<ui::WindowRegistry>();
    app::registerWindows(*m_registry, {m_dialogs, m_documents, *m_locator, m_system, m_readModule});
}

void FrmaboutTest::cleanup()
{
    m_registry->endProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QString why;
    QVERIFY2(m_dialogs.expectEmpty(&why), qPrintable(why));
    m_registry.reset();
}

void FrmaboutTest::showsTitleVersionAndTheFixedWarning()
{
    ui::VelmoraWindow* about = openAbout();
    QCOMPARE(about->windowTitle(), QStringLiteral("About Velmora"));
    QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Velmora"));
    QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
    QVERIFY(about->findChild<QLabel*>("lblDisclaimer")->text().contains("version 1.2.0"));
    QVERIFY(about->findChild<QLabel*>("lblDescription")->text().startsWith("App Description:"));
    QCOMPARE(about->findChild<QLabel*>("Label1")->text(),
             QStringLiteral("Disclaimer: All the Logo's used  in this program are property of "
                            "the respective owners. "));
    QCOMPARE(about->focusWidget(), about->findChild<QPushButton*>("cmdOK"));
}

void FrmaboutTest::secondAboutReusesTheBoxUntilOkClosesIt()
{
    QPointer<ui::VelmoraWindow> first = openAbout();
    first->findChild<QLabel*>("lblTitle")->setText("changed");
    QCOMPARE(openAbout(), first.data());
    QCOMPARE(first->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("changed"));
    QTest::mouseClick(first->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QVERIFY(!m_registry->isLoaded("frmAbout"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QCOMPARE(openAbout()->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Velmora"));
}

void FrmaboutTest::boxIsNotModalAndOpensCentred()
{
    ui::VelmoraWindow* about = openAbout();
    QVERIFY(!about->isModal());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    // The outer size is known only once the window is on screen; its decorations may then
    // shift the centre by a few pixels.
    const QPoint offset = about->frameGeometry().center() - screenCentre;
    QVERIFY2(qAbs(offset.x()) <= 2 && qAbs(offset.y()) <= 16,
             qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
}

QTEST_MAIN(FrmaboutTest)
#include "frmabout_test.moc"
