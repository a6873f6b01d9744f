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
    void StartCreatesTheStoreRefusesInputAndHandsOverOnTheLastTick()
    {
        h->install("[Engine.GameEngine]\r\nCacheSizeMegs=32\r\n");
        QVERIFY(h->registry.setVisible("frmSplash", true));
        auto* bar = h->get<QProgressBar>("frmSplash", "ProgressBar1");
        QSignalSpy ticks(bar, &QProgressBar::valueChanged);
        // The main window is loaded, hidden, before the splash is on screen.
        platform::ui::VelmoraWindow* main = h->registry.loadedWindow("Frmmain");
        QVERIFY(main != nullptr && !main->isVisible() && splash()->isVisible());
        QCOMPARE(test::readFile(h->storeFile), "[Velmora]\r\nSaveNumber=0\r\n");
        auto* title = h->get<QLabel>("frmSplash", "lblProductName");
        QCOMPARE(title->text(), "Velmora");
        QCOMPARE(h->get<QLabel>("frmSplash", "lblVersion")->text(), "Version 1.1.0");
        QVERIFY(qAbs(title->mapTo(splash(), title->rect().center()).x() - splash()->width() / 2) <=
                1);

        platform::ui::VelmoraWindow* window = splash();
        QTest::keyClick(window, Qt::Key_Escape);
        h->click("frmSplash", "Frame1");
        QVERIFY(!window->close() && !h->registry.unload("frmSplash"));
        QCOMPARE(splash(), window);

        QCOMPARE(bar->maximum(), 25);
        QTRY_VERIFY(!h->registry.isLoaded("frmSplash"));
        QCOMPARE(ticks.count(), 25);
        for (int i = 0; i < ticks.count(); ++i) {
            QCOMPARE(ticks.at(i).at(0).toInt(), i + 1);
        }
        QVERIFY(main->isVisible());
        QCOMPARE(h->registry.activeWindow(), main);
    }

    void ExistingStoreIsLeftByteForByte_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::newRow("An empty file stays empty") << QByteArray();
        QTest::newRow("Saved sets without a final newline stay")
            << QByteArray("[Velmora]\nSaveNumber=1\n[fast]\nDecals=False");
    }
    void ExistingStoreIsLeftByteForByte()
    {
        QFETCH(QByteArray, store);
        h->install("[Engine.GameEngine]\r\nCacheSizeMegs=32\r\n");
        test::writeFile(h->storeFile, store.toStdString());
        QVERIFY(h->registry.setVisible("frmSplash", true));
        QCOMPARE(QByteArray::fromStdString(test::readFile(h->storeFile)), store);
        QTRY_VERIFY(!h->registry.isLoaded("frmSplash"));
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
        QVERIFY(!windowOnScreen);
        QVERIFY(h->registry.hasEnded());
        QCOMPARE(h->registry.exitCode(), 1);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(h->storeFile)));
    }

private:
    platform::ui::VelmoraWindow* splash() const { return h->registry.loadedWindow("frmSplash"); }
    std::unique_ptr<test::WindowHarness> h;
};

QTEST_MAIN(FrmsplashTest)
#include "frmsplash_test.moc"
