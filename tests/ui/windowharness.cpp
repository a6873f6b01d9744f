#include "windowharness.h"

#include "app/composition.h"
#include "platform/fileio.h"
#include "platform/gamelocator_posix.h"

#include <filesystem>

#include <QAbstractItemView>
#include <QApplication>

namespace velmora::test {

std::string fixture(const std::string& name)
{
    return readFile(VELMORA_TESTDATA "/ut-ini/" + name);
}

namespace {

#ifdef _WIN32
// Windows has no Wine-prefix lookup: the fake prefix's drive_c stands in for drive C.
struct DriveCLocator final : platform::GameLocator {
    explicit DriveCLocator(std::string drive) : driveC(std::move(drive)) {}
    std::string gameFolder() const override { return driveC.empty() ? "" : "C:\\UnrealTournament"; }
    std::string localPath(const std::string& path) const override
    {
        return driveC + path.substr(2);
    }
    std::string driveC;
};
#endif

std::unique_ptr<platform::GameLocator> locatorFor(const FakePrefix& prefix)
{
#ifdef _WIN32
    return std::make_unique<DriveCLocator>(prefix.driveC);
#else
    return std::make_unique<platform::wine::WineGameLocator>(std::vector<std::string>{prefix.root});
#endif
}

// A folder name with "é", in the file system's encoding. Not on Windows: its narrow file API
// takes the ANSI code page, which under Wine need not hold "é" at all.
std::string accented(const char* name)
{
#ifdef _WIN32
    return name;
#else
    return QFile::encodeName(QString::fromUtf8(name) + QStringLiteral(" \u00e9")).toStdString();
#endif
}

} // namespace

WindowHarness::WindowHarness()
    : prefix(writeFakePrefix(folder.file(accented("prefix")), "C:\\UnrealTournament")),
      Utpath(prefix.systemFolder + "/UnrealTournament.ini"),
      workFolder(folder.file(accented("work"))),
      storeFile(platform::fullPathName("Velmora.ini", workFolder)), locator(locatorFor(prefix))
{
#ifdef _WIN32
    Utpath = prefix.driveC + "\\UnrealTournament\\System\\UnrealTournament.ini"; // as mapped
#endif
    install(fixture("client-451-windows-d3d.ini"));
    std::filesystem::create_directory(workFolder);
    system.directory = workFolder;
    registerAll();
}

void WindowHarness::installRenderers()
{
    const std::string object = ",Class=Class,MetaClass=Engine.RenderDevice)\r\n";
    writeFile(prefix.systemFolder + "/VulkanDrv.int",
              "[Public]\r\nObject=(Name=VulkanDrv.VulkanRenderDevice" + object +
                  "\r\n[VulkanRenderDevice]\r\nClassCaption=\"Vulkan Support\"\r\n");
    writeFile(prefix.systemFolder + "/D3D11Drv.int",
              "[Public]\r\nObject=(Name=D3D11Drv.D3D11RenderDevice" + object +
                  "Preferences=(Caption=\"Direct3D 11\",Class=D3D11Drv.D3D11RenderDevice)\r\n");
    for (const char* library : {"vulkandrv.DLL", "D3D11Drv.dll"})
        writeFile(prefix.systemFolder + "/" + library, "");
}

void WindowHarness::registerAll()
{
    app::registerWindows(registry,
                         {dialogs, documents, *locator, system, readModule, request, &backups});
}

void WindowHarness::loseGame()
{
    locator = locatorFor(FakePrefix{folder.file("no-prefix"), "", "", "", ""});
    registerAll();
}

void WindowHarness::finish()
{
    registry.endProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QString why;
    QVERIFY2(dialogs.expectEmpty(&why), qPrintable(why));
}

void WindowHarness::pick(const QString& window, const QString& combo, int item)
{
    auto* box = get<DesignComboBox>(window, combo);
    QTest::keyClick(box, Qt::Key_F4);
    QAbstractItemView* view = box->view();
    QTRY_VERIFY(view->isVisible());
    if (item < 0)
        return box->hidePopup();
    view->setCurrentIndex(view->model()->index(item % view->model()->rowCount(), 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

} // namespace velmora::test
