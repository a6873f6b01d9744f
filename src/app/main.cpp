#include "app/composition.h"
#include "backup/backup.h"
#include "config/commandline.h"
#include "config/readmodule.h"
#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "platform/systeminfo.h"
#include "toolkit/dialogs.h"
#include "toolkit/documentopener.h"
#include "toolkit/geometry.h"
#include "toolkit/windowregistry.h"

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>

namespace {

std::vector<std::string> arguments(int argc, char* argv[])
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

} // namespace

int main(int argc, char* argv[])
{
    velmora::platform::ignoreFileSizeSignal();
    // Help needs no display, so it is answered before Qt starts.
    if (velmora::config::parseCommandLine(arguments(argc, argv)).help) {
        std::fputs(velmora::config::commandLineHelp().data(), stdout);
        return 0;
    }
    // Under Wine the system font engine measures its fonts so that a text box draws its text
    // above the box; Qt's FreeType engine measures the same fonts right.
    if (velmora::platform::runningUnderWine() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
    }
    QApplication app(argc, argv);
    velmora::toolkit::useSansSerifFont();
    // Qt has taken its own options out of argv by now.
    const velmora::config::CommandLine commandLine =
        velmora::config::parseCommandLine(arguments(argc, argv));
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "velmora: %s\nTry 'velmora --help'.\n", commandLine.error.c_str());
        return 2;
    }
    QGuiApplication::setApplicationName(QStringLiteral("velmora"));
    // Lets desktops match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.velmora"));
    // Windows are hidden and shown in turn; only the registry decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    velmora::toolkit::QtDialogService dialogs;
    velmora::toolkit::QtDocumentOpener documents;
    const std::unique_ptr<velmora::platform::GameLocator> locator =
        velmora::platform::makeSystemGameLocator();
    const velmora::platform::RealSystemInfo system;
    velmora::config::ReadModule readModule;
    velmora::backup::BackupSession backups(velmora::backup::defaultBackupFolder());
    const velmora::config::GameConfigRequest request{
        commandLine.iniFile, velmora::config::nativeGameConfig(velmora::platform::homeFolder())};

    velmora::toolkit::WindowRegistry registry;
    velmora::app::registerWindows(
        registry, {dialogs, documents, *locator, system, readModule, request, &backups});
    QObject::connect(&registry, &velmora::toolkit::WindowRegistry::programEnded, &app,
                     &QCoreApplication::exit);

    registry.setVisible(QStringLiteral("frmSplash"), true);
    if (registry.hasEnded()) {
        return registry.exitCode();
    }
    return QApplication::exec();
}
