#include "app/composition.h"
#include "config/readmodule.h"
#include "platform/gamelocator.h"
#include "platform/systeminfo.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/documentopener.h"
#include "platform/ui/windowregistry.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("velmora"));
    // Lets desktops match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.velmora"));
    // Windows are hidden and shown in turn; only the registry decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    velmora::platform::ui::QtDialogService dialogs;
    velmora::platform::ui::QtDocumentOpener documents;
    const std::unique_ptr<velmora::platform::GameLocator> locator =
        velmora::platform::makeSystemGameLocator();
    const velmora::platform::RealSystemInfo system;
    velmora::config::ReadModule readModule;

    velmora::platform::ui::WindowRegistry registry;
    velmora::app::registerWindows(registry, {dialogs, documents, *locator, system, readModule});
    QObject::connect(&registry, &velmora::platform::ui::WindowRegistry::programEnded, &app,
                     &QCoreApplication::exit);

    registry.setVisible(QStringLiteral("frmSplash"), true);
    if (registry.hasEnded()) {
        return registry.exitCode();
    }
    return QApplication::exec();
}
