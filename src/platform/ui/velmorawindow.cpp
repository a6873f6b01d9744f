#include "velmorawindow.h"

#include "windowregistry.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFont>

namespace velmora::platform::ui {

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

} // namespace velmora::platform::ui
