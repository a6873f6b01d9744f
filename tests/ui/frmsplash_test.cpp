#include "windowharness.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;

class FrmsplashTest : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<test::WindowHarness>(); }
    void cleanup() { h->finish(); }

    void StartKeepsOrCreatesTheStoreRefusesInputAndHandsOverOnTheLastTick_data()
    {
        QTest::addColumn<QByteArray>("store"); // null: none yet
        QTest::newRow("A missing store is created with count 0") << QByteArray();
        QTest::newRow("An empty store stays empty") << QByteArray("");
        QTest::newRow("Saved sets without a final newline stay")
            << QByteArray("[Velmora]\nSaveNumber=1\n[fast]\nDecals=False");
    }
    void StartKeepsOrCreatesTheStoreRefusesInputAndHandsOverOnTheLastTick()
    {
        QFETCH(QByteArray, store);
        if (!store.isNull())
            test::writeFile(h->storeFile, store.toStdString());
        QVERIFY(h->registry.setVisible("frmSplash", true));
        auto* bar = h->get<QProgressBar>("frmSplash", "ProgressBar1");
        QSignalSpy ticks(bar, &QProgressBar::valueChanged);
        // The main window is loaded, hidden, before the splash is on screen.
        platform::ui::VelmoraWindow* main = h->registry.loadedWindow("Frmmain");
        platform::ui::VelmoraWindow* splash = h->registry.loadedWindow("frmSplash");
        QVERIFY(main != nullptr && !main->isVisible() && splash->isVisible());
        QCOMPARE(QByteArray::fromStdString(test::readFile(h->storeFile)),
                 store.isNull() ? "[Velmora]\r\nSaveNumber=0\r\n" : store);
        auto* title = h->get<QLabel>("frmSplash", "lblProductName");
        QCOMPARE(title->text() + "|" + h->get<QLabel>("frmSplash", "lblVersion")->text(),
                 "Velmora|Version 1.1.0");
        QVERIFY(qAbs(title->mapTo(splash, title->rect().center()).x() - splash->width() / 2) <= 1);
        QTest::keyClick(splash, Qt::Key_Escape);
        h->click("frmSplash", "Frame1");
        QVERIFY(!splash->close() && !h->registry.unload("frmSplash"));
        QVERIFY(h->registry.loadedWindow("frmSplash") == splash && bar->maximum() == 25);
        QTRY_VERIFY(!h->registry.isLoaded("frmSplash"));
        QCOMPARE(ticks.count(), 25);
        QCOMPARE(ticks.last().at(0).toInt(), 25);
        QVERIFY(main->isVisible() && h->registry.activeWindow() == main);
    }

    void GameNotFoundShowsTheMessageBeforeAnySplash()
    {
        h->loseGame();
        bool windowOnScreen = true;
        h->dialogs.expectMessage(
            "Unable to get tournament folder data from registry",
            "Error: Unreal Tournament folder data??", platform::ui::MessageIcon::Critical,
            platform::ui::MessageButtons::Ok, platform::ui::MessageAnswer::Ok, [&] {
                windowOnScreen = false;
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    windowOnScreen = windowOnScreen || widget->isVisible();
                }
            });
        QVERIFY(!h->registry.setVisible("frmSplash", true));
        QVERIFY(!windowOnScreen && h->registry.hasEnded() && h->registry.exitCode() == 1);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(h->storeFile)));
    }

private:
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(FrmsplashTest)
#include "frmsplash_test.moc"
