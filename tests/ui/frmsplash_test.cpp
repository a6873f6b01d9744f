#include "app/windows.h"
#include "config/readmodule.h"
#include "platform/ui/scripteddialogs.h"
#include "platform/ui/velmorawindow.h"
#include "platform/ui/windowregistry.h"
#include "uitestsupport.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;

class FrmsplashTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startCreatesTheStoreAndHandsOverOnTheLastTick();
    void existingStoreIsLeftByteForByte_data();
    void existingStoreIsLeftByteForByte();
    void gameNotFoundShowsTheMessageBeforeAnySplash();
    void keysClicksAndCloseRequestsAreRefusedDuringTheCountdown();

private:
    QString storePath() const { return m_dir->path() + "/cwd/Velmora.ini"; }
    void install()
    {
        QVERIFY(test::writeFileBytes(m_dir->path() +
                                         "/drive_c/UnrealTournament/System/UnrealTournament.ini",
                                     "[Engine.GameEngine]\r\nCacheSizeMegs=32\r\n"));
    }
    ui::VelmoraWindow* splash() const { return m_registry->loadedWindow("frmSplash"); }
    template <class T> T* control(const char* name) const
    {
        return splash()->findChild<T*>(QString::fromLatin1(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeGameLocator> m_locator;
    test::FixedSystemInfo m_system;
    ui::ScriptedDialogs m_dialogs;
    ui::FakeDocumentOpener m_documents;
    config::ReadModule m_readModule;
    std::unique_ptr<ui::WindowRegistry> m_registry;
};

void FrmsplashTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath("cwd"));
    m_system.directory = (m_dir->path() + "/cwd").toStdString();
    m_locator = std::make_unique<test::FakeGameLocator>(m_dir->path(), "C:\\UnrealTournament");
    m_dialogs.reset();
    m_registry = std::make_unique<ui::WindowRegistry>();
    app::registerWindows(*m_registry, {m_dialogs, m_documents, *m_locator, m_system, m_readModule});
}

void FrmsplashTest::cleanup()
{
    m_registry->endProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QString why;
    QVERIFY2(m_dialogs.expectEmpty(&why), qPrintable(why));
    m_registry.reset();
}

void FrmsplashTest::startCreatesTheStoreAndHandsOverOnTheLastTick()
{
    install();
    QVERIFY(m_registry->setVisible("frmSplash", true));
    // The main window is loaded, hidden, before the splash is on screen.
    ui::VelmoraWindow* main = m_registry->loadedWindow("Frmmain");
    QVERIFY(main != nullptr);
    QVERIFY(!main->isVisible());
    QVERIFY(splash()->isVisible());
    QCOMPARE(test::fileBytes(storePath()), QByteArray("[Velmora]\r\nSaveNumber=0\r\n"));
    auto* title = control<QLabel>("lblProductName");
    QCOMPARE(title->text(), QStringLiteral("Velmora"));
    QCOMPARE(control<QLabel>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
    const int centre = title->mapTo(splash(), title->rect().center()).x();
    QVERIFY(qAbs(centre - splash()->width() / 2) <= 1);

    auto* bar = control<QProgressBar>("ProgressBar1");
    QCOMPARE(bar->maximum(), 25);
    QSignalSpy ticks(bar, &QProgressBar::valueChanged);
    QTRY_VERIFY(!m_registry->isLoaded("frmSplash"));
    QCOMPARE(ticks.count(), 25);
    for (int i = 0; i < ticks.count(); ++i) {
        QCOMPARE(ticks.at(i).at(0).toInt(), i + 1);
    }
    QVERIFY(main->isVisible());
    QCOMPARE(m_registry->activeWindow(), main);
}

void FrmsplashTest::existingStoreIsLeftByteForByte_data()
{
    QTest::addColumn<QByteArray>("store");
    QTest::newRow("an empty file") << QByteArray();
    QTest::newRow("another count") << QByteArray("[Velmora]\nSaveNumber=3\n");
    QTest::newRow("saved sets without final newline")
        << QByteArray("[Velmora]\r\nSaveNumber=1\r\n[fast]\r\nDecals=False");
}

void FrmsplashTest::existingStoreIsLeftByteForByte()
{
    QFETCH(QByteArray, store);
    install();
    QVERIFY(test::writeFileBytes(storePath(), store));
    QVERIFY(m_registry->setVisible("frmSplash", true));
    QCOMPARE(test::fileBytes(storePath()), store);
    QTRY_VERIFY(!m_registry->isLoaded("frmSplash"));
}

void FrmsplashTest::gameNotFoundShowsTheMessageBeforeAnySplash()
{
    m_locator = std::make_unique<test::FakeGameLocator>(m_dir->path(), "");
    app::registerWindows(*m_registry, {m_dialogs, m_documents, *m_locator, m_system, m_readModule});
    bool windowOnScreen = true;
    m_dialogs.expectMessage("Unable to get tournament folder data from registry",
                            "Error: Unreal Tournament folder data??", ui::MessageIcon::Critical,
                            ui::MessageButtons::Ok, ui::MessageAnswer::Ok, [&] {
                                windowOnScreen = false;
                                for (QWidget* widget : QApplication::topLevelWidgets()) {
                                    windowOnScreen = windowOnScreen || widget->isVisible();
                                }
                            });
    QVERIFY(!m_registry->setVisible("frmSplash", true));
    QVERIFY(!windowOnScreen);
    QVERIFY(m_registry->hasEnded());
    QCOMPARE(m_registry->exitCode(), 1);
    QVERIFY(!QFileInfo::exists(storePath()));
}

void FrmsplashTest::keysClicksAndCloseRequestsAreRefusedDuringTheCountdown()
{
    install();
    QVERIFY(m_registry->setVisible("frmSplash", true));
    ui::VelmoraWindow* window = splash();
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::mouseClick(control<QFrame>("Frame1"), Qt::LeftButton);
    QVERIFY(!window->close());
    QVERIFY(!m_registry->unload("frmSplash"));
    QCOMPARE(splash(), window);
    QVERIFY(control<QProgressBar>("ProgressBar1")->value() < 25);
    QVERIFY(!m_registry->loadedWindow("Frmmain")->isVisible());
    QTRY_VERIFY(!m_registry->isLoaded("frmSplash"));
}

QTEST_MAIN(FrmsplashTest)
#include "frmsplash_test.moc"
