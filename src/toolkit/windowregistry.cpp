#include "windowregistry.h"

#include "velmorawindow.h"

#include <utility>

namespace velmora::toolkit {

WindowRegistry::~WindowRegistry()
{
    QList<QPointer<VelmoraWindow>> windows = m_released;
    for (const QPointer<VelmoraWindow>& window : std::as_const(m_windows)) {
        windows.append(window);
    }
    m_windows.clear();
    m_released.clear();
    for (const QPointer<VelmoraWindow>& window : windows) {
        delete window.data();
    }
}

void WindowRegistry::registerFactory(const QString& name, Factory factory)
{
    m_factories.insert(name, std::move(factory));
}

VelmoraWindow* WindowRegistry::loadedWindow(const QString& name) const
{
    return m_windows.value(name).data();
}

VelmoraWindow* WindowRegistry::window(const QString& name)
{
    if (VelmoraWindow* loaded = loadedWindow(name)) {
        return loaded;
    }
    const auto factory = m_factories.constFind(name);
    if (m_ended || factory == m_factories.constEnd()) {
        return nullptr;
    }
    std::unique_ptr<VelmoraWindow> created = (*factory)();
    if (!created) {
        return nullptr;
    }
    VelmoraWindow* window = created.release();
    window->setObjectName(name);
    // Registered before Form_Load, so that the load may refer to its own window.
    m_windows.insert(name, window);
    window->Form_Load();
    return m_ended ? nullptr : loadedWindow(name);
}

bool WindowRegistry::setVisible(const QString& name, bool visible)
{
    VelmoraWindow* target = window(name);
    if (target == nullptr) {
        return false;
    }
    if (!visible) {
        target->hide();
        if (m_active == target) {
            m_active = nullptr;
        }
        return true;
    }
    target->show();
    target->raise();
    target->activateWindow();
    makeActive(target);
    return true;
}

bool WindowRegistry::unload(const QString& name)
{
    VelmoraWindow* target = loadedWindow(name);
    if (target == nullptr) {
        return true;
    }
    bool cancel = false;
    target->Form_Unload(cancel);
    // The handler may have ended the program, which took every window down already.
    if (loadedWindow(name) != target) {
        return true;
    }
    if (cancel) {
        return false;
    }
    release(target);
    return true;
}

void WindowRegistry::endProgram(int exitCode)
{
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_exitCode = exitCode;
    const auto windows = m_windows;
    for (const QPointer<VelmoraWindow>& window : windows) {
        if (window) {
            release(window);
        }
    }
    emit programEnded(exitCode);
}

VelmoraWindow* WindowRegistry::activeWindow() const
{
    return m_active.data();
}

void WindowRegistry::userActivates(const QString& name)
{
    VelmoraWindow* target = loadedWindow(name);
    if (target != nullptr && target->isVisible()) {
        target->activateWindow();
        makeActive(target);
    }
}

void WindowRegistry::systemActivated(VelmoraWindow* window)
{
    if (loadedWindow(window->designName()) == window && window->isVisible()) {
        makeActive(window);
    }
}

void WindowRegistry::forget(VelmoraWindow* window)
{
    const QString name = window->designName();
    if (m_windows.value(name) == window) {
        m_windows.remove(name);
    }
    if (m_active == window) {
        m_active = nullptr;
    }
}

void WindowRegistry::makeActive(VelmoraWindow* window)
{
    if (m_active == window) {
        return;
    }
    m_active = window;
    window->Form_Activate();
}

void WindowRegistry::release(VelmoraWindow* window)
{
    m_windows.remove(window->designName());
    if (m_active == window) {
        m_active = nullptr;
    }
    window->m_releasing = true;
    m_released.removeAll(nullptr);
    m_released.append(window);
    window->hide();
    // Deferred: the window may be inside one of its own handlers.
    window->deleteLater();
}

} // namespace velmora::toolkit
