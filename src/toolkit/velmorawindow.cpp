#include "velmorawindow.h"

#include "geometry.h"
#include "windowregistry.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFont>

namespace velmora::toolkit {

VelmoraWindow::VelmoraWindow(WindowRegistry& registry) : m_registry(registry)
{
    // The layouts are measured for the design's 8-point default font.
    QFont designFont = font();
    designFont.setPointSize(8);
    setFont(designFont);
}

VelmoraWindow::~VelmoraWindow()
{
    m_registry.forget(this);
}

double VelmoraWindow::twipsDpi() const
{
    return layoutDpi(font());
}

QWidget* VelmoraWindow::createClientArea(int widthTwips, int heightTwips)
{
    const double dpi = twipsDpi();
    auto* client = new QWidget(this);
    client->setFixedSize(twipsToPixels(widthTwips, dpi), twipsToPixels(heightTwips, dpi));
    setCentralWidget(client);
    return client;
}

void VelmoraWindow::fixSize(Qt::WindowType type)
{
    Qt::WindowFlags flags = type | Qt::MSWindowsFixedSizeDialogHint;
    flags |= type == Qt::SplashScreen
                 ? Qt::WindowFlags(Qt::FramelessWindowHint)
                 : Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    setFixedSize(sizeHint());
}

void VelmoraWindow::closeEvent(QCloseEvent* event)
{
    if (m_releasing) {
        event->accept();
        return;
    }
    // The registry hides and destroys the window itself when the close goes ahead.
    event->ignore();
    m_registry.unload(designName());
}

void VelmoraWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_releasing) {
        m_registry.systemActivated(this);
    }
    QMainWindow::changeEvent(event);
}

} // namespace velmora::toolkit
