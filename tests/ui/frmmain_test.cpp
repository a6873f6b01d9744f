#include "config/readmodule.h"
#include "mainwin/frmmain.h"
#include "platform/profile.h"
#include "platform/ui/controls.h"
#include "platform/ui/scripteddialogs.h"
#include "platform/ui/windowregistry.h"
#include "uitestsupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace velmora;
using ui::MessageAnswer;
using ui::MessageButtons;
using ui::MessageIcon;

namespace {

const QString kFixture = QStringLiteral(VELMORA_TESTDATA "/ut-ini/client-451-windows-d3d.ini");

// A window that other windows open; the main window only makes it visible.
class StubWindow final : public ui::VelmoraWindow {
public:
    using ui::VelmoraWindow::VelmoraWindow;
};

} // namespace

class FrmmainTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void gameNotFoundEndsTheProgramWithStatus1();
    void showsTheFifteenSettingsAndPanels();
    void missingKeysShowDefault();
    void driverDisplayNameFollowsMainWindowColumn_data();
    void driverDisplayNameFollowsMainWindowColumn();
    void memoryFigures_data();
    void memoryFigures();
    void activationRefillsFromTheFileAndClearsOptions();
    void cacheSizeIsBoundedByMemory();
    void resolutionWarningOnFirstOpeningOnly();
    void doneStopsAndWritesInOrder_data();
    void doneStopsAndWritesInOrder();
    void presetWritesItsColumn_data();
    void presetWritesItsColumn();
    void noAtTheConfirmationWritesNothing();
    void failedWriteInDoneIsReportedAndStops();
    void failedWriteInPresetStopsWithoutSuccess();
    void exitAsksAndNoKeepsTheWindow_data();
    void exitAsksAndNoKeepsTheWindow();
    void yesAtExitEndsTheProgram();
    void helpOpensHelpFileOrSaysWhereItLooked_data();
    void helpOpensHelpFileOrSaysWhereItLooked();
    void aboutAndUserDefinedOpenTheirWindows();

private:
    QString utpath() const
    {
        return m_dir->path() + "/drive_c/UnrealTournament/System/UnrealTournament.ini";
    }
    void install(const QByteArray& bytes) { QVERIFY(test::writeFileBytes(utpath(), bytes)); }
    // Loads the main window as the splash does, then shows it.
    mainwin::Frmmain* openMain();
    template <class T> T* control(const char* name)
    {
        return m_main->findChild<T*>(QString::fromLatin1(name));
    }
    QString row(int index) { return control<ui::DesignListBox>("List2")->rowText(index); }
    QString panel(int index)
    {
        return control<ui::DesignStatusBar>("StatusBar1")->panelText(index);
    }
    // Opens a drop-down list and picks `item`, or closes it again when `item` is -1.
    void openAndPick(const char* combo, int item);
    void expectCritical(const QString& text)
    {
        m_dialogs.expectMessage(text, "Error", MessageIcon::Critical, MessageButtons::Ok);
    }
    void expectResolutionWarning()
    {
        m_dialogs.expectMessage("Warning setting resolution too high MAY CAUSE DAMAGE TO PC",
                                "WARNING", MessageIcon::Warning, MessageButtons::Ok);
    }
    void expectPresetQuestion(MessageAnswer answer)
    {
        m_dialogs.expectMessage(
            " Changes will immediately be made in Unreal Tournament.ini. Continu update?",
            "Continue update ?", MessageIcon::Question, MessageButtons::YesNo, answer);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeGameLocator> m_locator;
    test::FixedSystemInfo m_system;
    ui::ScriptedDialogs m_dialogs;
    ui::FakeDocumentOpener m_documents;
    config::ReadModule m_readModule;
    std::unique_ptr<ui::WindowRegistry> m_registry;
    mainwin::Frmmain* m_main = nullptr;
};

void FrmmainTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath("cwd"));
    m_system.directory = (m_dir->path() + "/cwd").toStdString();
    m_system.memory = 128 * test::kMb;
    m_locator = std::make_unique<test::FakeGameLocator>(m_dir->path(), "C:\\UnrealTournament");
    m_dialogs.reset();
    m_documents = {};
    m_readModule = {};
    m_registry = std::make_unique<ui::WindowRegistry>();
    m_registry->registerFactory("Frmmain", [this] {
        return std::make_unique<mainwin::Frmmain>(*m_registry, m_dialogs, m_documents, *m_locator,
                                                  m_system, m_readModule);
    });
    m_main = nullptr;
}

void FrmmainTest::cleanup()
{
    m_registry->endProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QString why;
    QVERIFY2(m_dialogs.expectEmpty(&why), qPrintable(why));
    m_registry.reset();
}

mainwin::Frmmain* FrmmainTest::openMain()
{
    m_registry->setVisible("Frmmain", false);
    m_registry->setVisible("Frmmain", true);
    m_main = m_registry->windowAs<mainwin::Frmmain>("Frmmain");
    return m_main;
}

void FrmmainTest::openAndPick(const char* name, int item)
{
    auto* combo = control<ui::DesignComboBox>(name);
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    if (item < 0) {
        combo->hidePopup();
        return;
    }
    const QRect rect = view->visualRect(view->model()->index(item, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentIndex(), item);
}

void FrmmainTest::gameNotFoundEndsTheProgramWithStatus1()
{
    m_locator = std::make_unique<test::FakeGameLocator>(m_dir->path(), "");
    m_dialogs.expectMessage("Unable to get tournament folder data from registry",
                            "Error: Unreal Tournament folder data??", MessageIcon::Critical,
                            MessageButtons::Ok);
    QVERIFY(!m_registry->setVisible("Frmmain", false));
    QVERIFY(m_registry->hasEnded());
    QCOMPARE(m_registry->exitCode(), 1);
}

void FrmmainTest::showsTheFifteenSettingsAndPanels()
{
    install(test::fileBytes(kFixture));
    openMain();
    const QStringList keys = {"FullscreenColorbits",
                              "CurvedSurfaces",
                              "LowDetailTextures",
                              "SlowVideoBuffering",
                              "Decals",
                              "NoDynamicLights",
                              "Coronas",
                              "SkinDetail",
                              "TextureDetail",
                              "NoLighting",
                              "MinDesiredFrameRate",
                              "ScreenFlashes",
                              "NoFractalAnim",
                              "ParticleDensity",
                              "GameRenderDevice"};
    // Coronas comes from the D3D device's own section, where the game keeps it.
    const QStringList values = {"32",        "False", "False", "True", "True",
                                "False",     "True",  "High",  "High", "False",
                                "28.000000", "True",  "False", "0",    "Direct 3D"};
    auto* names = control<ui::DesignListBox>("List1");
    QCOMPARE(names->rowCount(), 15);
    QCOMPARE(control<ui::DesignListBox>("List2")->rowCount(), 15);
    for (int i = 0; i < 15; ++i) {
        QCOMPARE(names->rowText(i), keys[i]);
        QCOMPARE(row(i), values[i]);
    }
    const QStringList panels = {"Current resoltution:",    "1920 x 1080",
                                "Total detected  memory:", " 128Mb",
                                "Unreal Cache:",           " 4Mb"};
    for (int i = 0; i < panels.size(); ++i) {
        QCOMPARE(panel(i + 1), panels[i]);
    }
    QCOMPARE(m_readModule.ReadCount, 0);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Velmora"));
    QCOMPARE(control<ui::DesignComboBox>("Combo1")->currentText(), "<<Select driver>>");
    QCOMPARE(control<ui::DesignComboBox>("Combo2")->currentText(), "<<Select Resolution>>");
    QVERIFY(!control<QLabel>("Picture1")->isVisible());
    QVERIFY(!control<QLabel>("Picture2")->isVisible());
}

void FrmmainTest::missingKeysShowDefault()
{
    openMain();
    for (int i = 0; i < 15; ++i) {
        QCOMPARE(row(i), QStringLiteral("Default"));
    }
    QCOMPARE(panel(2), QStringLiteral("Default x Default"));
    QCOMPARE(panel(6), QStringLiteral(" DefaultMb"));
}

void FrmmainTest::driverDisplayNameFollowsMainWindowColumn_data()
{
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<QString>("shown");
    QTest::newRow("software") << QByteArray("SoftDrv.SoftwareRenderDevice") << "Software";
    QTest::newRow("glide device class") << QByteArray("GlideDrv.GlideRenderDevice") << "Glide";
    QTest::newRow("short glide name shown as read")
        << QByteArray("GlideDrv.GlideRender") << "GlideDrv.GlideRender";
    QTest::newRow("opengl") << QByteArray("OpenGLDrv.OpenGLRenderDevice") << "OpenGl";
    QTest::newRow("unknown class shown as read")
        << QByteArray("XOpenGLDrv.XOpenGLRenderDevice") << "XOpenGLDrv.XOpenGLRenderDevice";
    QTest::newRow("case differs, shown as read")
        << QByteArray("d3ddrv.d3drenderdevice") << "d3ddrv.d3drenderdevice";
}

void FrmmainTest::driverDisplayNameFollowsMainWindowColumn()
{
    QFETCH(QByteArray, device);
    QFETCH(QString, shown);
    install("[Engine.Engine]\r\nGameRenderDevice=" + device +
            "\r\n[WinDrv.WindowsClient]\r\n"
            "FullscreenViewportX=0800\r\nFullscreenViewportY=600\r\n");
    openMain();
    QCOMPARE(row(14), shown);
    QCOMPARE(panel(2), QStringLiteral("800 x 600"));
}

void FrmmainTest::memoryFigures_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("detected");
    QTest::newRow("128 MB") << quint64(128 * test::kMb) << " 96"
                            << " 128Mb";
    QTest::newRow("96 MB") << quint64(96 * test::kMb) << " 72"
                           << " 96Mb";
    QTest::newRow("16 GB needs wide numbers") << quint64(16384 * test::kMb) << " 12288"
                                              << " 16384Mb";
}

void FrmmainTest::memoryFigures()
{
    QFETCH(quint64, bytes);
    QFETCH(QString, suggested);
    QFETCH(QString, detected);
    m_system.memory = bytes;
    openMain();
    QCOMPARE(control<ui::DesignTextBox>("Text1")->text(), suggested);
    QCOMPARE(panel(4), detected);
}

void FrmmainTest::activationRefillsFromTheFileAndClearsOptions()
{
    install(test::fileBytes(kFixture));
    m_registry->registerFactory("frmAbout",
                                [this] { return std::make_unique<StubWindow>(*m_registry); });
    openMain();
    QTest::mouseClick(control<QRadioButton>("Option3"), Qt::LeftButton);
    QVERIFY(platform::writeProfileString(utpath().toStdString(), "WinDrv.WindowsClient", "Decals",
                                         "False")
                .ok());
    // Qt gives the active window back when a message box closes: no refill.
    m_registry->systemActivated(m_main);
    QCOMPARE(row(4), QStringLiteral("True"));
    QVERIFY(control<QRadioButton>("Option3")->isChecked());
    // Returning from another window of the program refills and clears the options.
    m_registry->setVisible("frmAbout", true);
    m_registry->userActivates("Frmmain");
    QCOMPARE(row(4), QStringLiteral("False"));
    QVERIFY(!control<QRadioButton>("Option3")->isChecked());
    QCOMPARE(control<ui::DesignListBox>("List1")->rowCount(), 15);
    QCOMPARE(control<ui::DesignListBox>("List2")->rowCount(), 15);
}

void FrmmainTest::cacheSizeIsBoundedByMemory()
{
    openMain();
    auto* text1 = control<ui::DesignTextBox>("Text1");
    m_dialogs.expectMessage("Memory value u specified is too large, maximum=128 Mb", "Error",
                            MessageIcon::Information, MessageButtons::Ok);
    text1->selectAll();
    QTest::keyClicks(text1, "200");
    QCOMPARE(text1->text(), QStringLiteral("128"));
    text1->selectAll();
    QTest::keyClicks(text1, "12x8");
    QCOMPARE(text1->text(), QStringLiteral("128"));
    QTest::keyClick(text1, Qt::Key_Backspace);
    text1->selectAll();
    QTest::keyClick(text1, Qt::Key_Backspace);
    QCOMPARE(text1->text(), QString());
}

void FrmmainTest::resolutionWarningOnFirstOpeningOnly()
{
    openMain();
    expectResolutionWarning();
    openAndPick("Combo2", -1);
    auto* combo2 = control<ui::DesignComboBox>("Combo2");
    QCOMPARE(combo2->count(), 7);
    QCOMPARE(combo2->currentIndex(), -1);
    openAndPick("Combo2", 2);
    QCOMPARE(combo2->currentText(), QStringLiteral("800*600"));
}

void FrmmainTest::doneStopsAndWritesInOrder_data()
{
    QTest::addColumn<QString>("cache");       // typed; null: the suggestion untouched
    QTest::addColumn<int>("driver");          // -2 never opened, -1 opened and closed
    QTest::addColumn<int>("resolution");      // as driver
    QTest::addColumn<QString>("message");     // the stop, or empty
    QTest::addColumn<QByteArrayList>("file"); // CacheSizeMegs, GameRenderDevice, X, Y as written

    const QByteArray d3d = "D3DDrv.D3DRenderDevice";
    QTest::newRow("Done right after start writes the cache and asks for a driver")
        << QString() << -2 << -2 << "Please select Drivertype"
        << QByteArrayList{" 96", d3d, "1920", "1080"};
    QTest::newRow("an empty cache size writes nothing")
        << "" << -2 << -2 << "No value specified for memory usage"
        << QByteArrayList{"4", d3d, "1920", "1080"};
    QTest::newRow("a driver list closed without a choice asks for a driver")
        << "64" << -1 << -2 << "Please select Drivertype"
        << QByteArrayList{"64", d3d, "1920", "1080"};
    QTest::newRow("a driver without a resolution asks for a resolution")
        << "64" << 1 << -2 << "Please select Resolution"
        << QByteArrayList{"64", "GlideDrv.GlideRenderDevice", "1920", "1080"};
    QTest::newRow("a resolution list closed without a choice asks again")
        << "64" << 0 << -1 << "Please select you're resolution!"
        << QByteArrayList{"64", "SoftDrv.SoftwareRenderDevice", "1920", "1080"};
    QTest::newRow("all three chosen are written")
        << "64" << 2 << 4 << ""
        << QByteArrayList{"64", "OpenGLDrv.OpenGLRenderDevice", "1152", "864"};
}

void FrmmainTest::doneStopsAndWritesInOrder()
{
    QFETCH(QString, cache);
    QFETCH(int, driver);
    QFETCH(int, resolution);
    QFETCH(QString, message);
    QFETCH(QByteArrayList, file);
    install(test::fileBytes(kFixture));
    openMain();
    if (!cache.isNull()) {
        auto* text1 = control<ui::DesignTextBox>("Text1");
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Backspace);
        QTest::keyClicks(text1, cache);
    }
    if (driver != -2) {
        openAndPick("Combo1", driver);
    }
    if (resolution != -2) {
        expectResolutionWarning();
        openAndPick("Combo2", resolution);
    }
    if (!message.isEmpty()) {
        expectCritical(message);
    }
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);

    const QByteArray bytes = test::fileBytes(utpath());
    QCOMPARE(test::rawValue(bytes, "Engine.GameEngine", "CacheSizeMegs").value(), file[0]);
    QCOMPARE(test::rawValue(bytes, "Engine.Engine", "GameRenderDevice").value(), file[1]);
    QCOMPARE(test::rawValue(bytes, "WinDrv.WindowsClient", "FullscreenViewportX").value(), file[2]);
    QCOMPARE(test::rawValue(bytes, "WinDrv.WindowsClient", "FullscreenViewportY").value(), file[3]);
    if (cache.isEmpty() && !cache.isNull()) {
        QCOMPARE(bytes, test::fileBytes(kFixture));
    }
    const bool done = message.isEmpty();
    QCOMPARE(control<QLabel>("Picture2")->isVisible(), done);
    // The lists are refreshed only by a Done that got to its end.
    QCOMPARE(row(14), done ? QStringLiteral("OpenGl") : QStringLiteral("Direct 3D"));
    QCOMPARE(panel(6), done ? QStringLiteral(" 64Mb") : QStringLiteral(" 4Mb"));
    if (done) {
        QCOMPARE(panel(2), QStringLiteral("1152 x 864"));
    }
}

void FrmmainTest::presetWritesItsColumn_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("values"); // rows 0 to 8 after the preset
    QTest::newRow("slow system") << "Option1"
                                 << QStringList{"16",   "False", "True", "False", "False",
                                                "True", "False", "Low",  "Low"};
    QTest::newRow("fast system") << "Option2"
                                 << QStringList{"16",   "True", "False", "False", "False",
                                                "True", "True", "High",  "High"};
}

void FrmmainTest::presetWritesItsColumn()
{
    QFETCH(QString, option);
    QFETCH(QStringList, values);
    install(test::fileBytes(kFixture));
    openMain();
    expectPresetQuestion(MessageAnswer::Yes);
    m_dialogs.expectMessage("Graphics changes have been applied", "Done", MessageIcon::Information,
                            MessageButtons::Ok);
    QTest::mouseClick(control<QRadioButton>(qPrintable(option)), Qt::LeftButton);

    for (int i = 0; i < values.size(); ++i) {
        QCOMPARE(row(i), values[i]);
    }
    const QByteArray bytes = test::fileBytes(utpath());
    QCOMPARE(test::rawValue(bytes, "D3DDrv.D3DRenderDevice", "Coronas").value(),
             values[6].toLatin1());
    QVERIFY(!test::rawValue(bytes, "WinDrv.WindowsClient", "Coronas"));
    QCOMPARE(test::rawValue(bytes, "WinDrv.WindowsClient", "TextureDetail").value(),
             values[8].toLatin1());
    QVERIFY(!control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!control<QRadioButton>("Option2")->isChecked());
    QVERIFY(control<QLabel>("Picture1")->isVisible());
}

void FrmmainTest::noAtTheConfirmationWritesNothing()
{
    install(test::fileBytes(kFixture));
    openMain();
    expectPresetQuestion(MessageAnswer::No);
    m_dialogs.expectMessage("User abort", "Information", MessageIcon::Information,
                            MessageButtons::Ok);
    QTest::mouseClick(control<QRadioButton>("Option2"), Qt::LeftButton);
    QCOMPARE(test::fileBytes(utpath()), test::fileBytes(kFixture));
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QVERIFY(!control<QLabel>("Picture1")->isVisible());
}

void FrmmainTest::failedWriteInDoneIsReportedAndStops()
{
    // The game folder is a file, so nothing below it can be created, not even by root.
    QVERIFY(test::writeFileBytes(m_dir->path() + "/drive_c/UnrealTournament", "not a folder"));
    const platform::WriteOutcome expected = platform::writeProfileString(
        utpath().toStdString(), "Engine.GameEngine", "CacheSizeMegs", " 96");
    QCOMPARE(expected.status, platform::WriteStatus::Failed);
    openMain();
    expectCritical("Unable to write " + utpath() + ": " + QString::fromStdString(expected.reason));
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(!control<QLabel>("Picture2")->isVisible());
}

void FrmmainTest::failedWriteInPresetStopsWithoutSuccess()
{
    // A render device whose name cannot be a section: the Coronas write is refused.
    install("[Engine.Engine]\r\nGameRenderDevice=Bad]Device\r\n");
    const platform::WriteOutcome expected =
        platform::writeProfileString(utpath().toStdString(), "Bad]Device", "Coronas", "False");
    QCOMPARE(expected.status, platform::WriteStatus::Refused);
    openMain();
    expectPresetQuestion(MessageAnswer::Yes);
    expectCritical("Unable to write " + utpath() + ": " + QString::fromStdString(expected.reason));
    QTest::mouseClick(control<QRadioButton>("Option1"), Qt::LeftButton);
    // The eight writes before it stay; no success is claimed.
    const QByteArray bytes = test::fileBytes(utpath());
    QCOMPARE(test::rawValue(bytes, "WinDrv.WindowsClient", "Texturedetail").value(),
             QByteArray("Low"));
    QVERIFY(!control<QLabel>("Picture1")->isVisible());
}

void FrmmainTest::exitAsksAndNoKeepsTheWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("the Exit button") << "CmdExit";
    QTest::newRow("the File menu's Exit") << "exit";
    QTest::newRow("the window's close button") << "close";
}

void FrmmainTest::exitAsksAndNoKeepsTheWindow()
{
    QFETCH(QString, how);
    openMain();
    m_dialogs.expectMessage("Exit Program?", "Exit program", MessageIcon::Information,
                            MessageButtons::YesNo, MessageAnswer::No);
    if (how == "CmdExit") {
        QTest::mouseClick(control<QPushButton>("CmdExit"), Qt::LeftButton);
    } else if (how == "exit") {
        control<QAction>("exit")->trigger();
    } else {
        QVERIFY(!m_main->close());
    }
    QVERIFY(m_main->isVisible());
    QVERIFY(!m_registry->hasEnded());
}

void FrmmainTest::yesAtExitEndsTheProgram()
{
    m_registry->registerFactory("frmAbout",
                                [this] { return std::make_unique<StubWindow>(*m_registry); });
    openMain();
    m_registry->setVisible("frmAbout", true);
    m_dialogs.expectMessage("Exit Program?", "Exit program", MessageIcon::Information,
                            MessageButtons::YesNo, MessageAnswer::Yes);
    QTest::mouseClick(control<QPushButton>("CmdExit"), Qt::LeftButton);
    QVERIFY(m_registry->hasEnded());
    QCOMPARE(m_registry->exitCode(), 0);
    QVERIFY(!m_registry->isLoaded("frmAbout") && !m_registry->isLoaded("Frmmain"));
}

void FrmmainTest::helpOpensHelpFileOrSaysWhereItLooked_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("Help.html in the working folder opens") << true;
    QTest::newRow("a missing Help.html names the path") << false;
}

void FrmmainTest::helpOpensHelpFileOrSaysWhereItLooked()
{
    QFETCH(bool, present);
    const QString help = m_dir->path() + "/cwd/Help.html";
    if (present) {
        QVERIFY(test::writeFileBytes(help, "<html></html>"));
    } else {
        m_dialogs.expectMessage("Unable to open help file check if Help file is there. Path= " +
                                    help,
                                "", MessageIcon::Critical, MessageButtons::Ok);
    }
    openMain();
    control<QAction>("Help")->trigger();
    QCOMPARE(m_documents.opened, QStringList{help});
}

void FrmmainTest::aboutAndUserDefinedOpenTheirWindows()
{
    openMain();
    // Until the editor registers itself, "User defined" opens nothing and breaks nothing.
    QTest::mouseClick(control<QRadioButton>("Option3"), Qt::LeftButton);
    QVERIFY(!m_registry->isLoaded("Form4"));

    for (const char* name : {"frmAbout", "Form4"}) {
        m_registry->registerFactory(name,
                                    [this] { return std::make_unique<StubWindow>(*m_registry); });
    }
    control<QAction>("About")->trigger();
    QVERIFY(m_registry->loadedWindow("frmAbout")->isVisible());
    // Switching back clears the options, so "User defined" can be chosen again.
    m_registry->userActivates("Frmmain");
    QVERIFY(!control<QRadioButton>("Option3")->isChecked());
    QTest::mouseClick(control<QRadioButton>("Option3"), Qt::LeftButton);
    QVERIFY(m_registry->loadedWindow("Form4")->isVisible());
}

QTEST_MAIN(FrmmainTest)
#include "frmmain_test.moc"
