#pragma once

// The program's windows by design name. A window is loaded when it is first referred to
// (its factory creates it, then its Form_Load runs), shown and hidden by visibility, and
// unloaded by closing it; the next reference loads it anew. The registry tracks the
// program's active window itself, because Qt also reports an activation when a message box
// closes, which must not run Form_Activate again.

#include <functional>
#include <memory>

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace velmora::toolkit {

class VelmoraWindow;

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<VelmoraWindow>()>;

    WindowRegistry() = default;
    ~WindowRegistry() override;

    // How `name` is created; a later registration replaces an earlier one.
    void registerFactory(const QString& name, Factory factory);

    // The window `name`, loading it when it is not loaded. Null when no factory is
    // registered for `name`, or when the program ended during its Form_Load.
    VelmoraWindow* window(const QString& name);

    template <class T> T* windowAs(const QString& name) { return qobject_cast<T*>(window(name)); }

    // The window `name` when it is loaded; never loads it.
    VelmoraWindow* loadedWindow(const QString& name) const;
    bool isLoaded(const QString& name) const { return loadedWindow(name) != nullptr; }

    // Loads `name` if needed, then shows or hides it. Showing makes it the program's active
    // window, which runs its Form_Activate unless it already was the active one. Showing is
    // never modal. False when the window cannot be loaded.
    bool setVisible(const QString& name, bool visible);

    // Closes `name`: runs its Form_Unload; unless that cancels, the window is hidden and
    // destroyed. True when the window is gone afterwards (also when it was not loaded).
    bool unload(const QString& name);

    // Closes every window at once without running their unload handlers, and emits
    // programEnded(exitCode). Windows cannot be loaded afterwards.
    void endProgram(int exitCode = 0);
    bool hasEnded() const { return m_ended; }
    int exitCode() const { return m_exitCode; }

    // The program's active window, or null.
    VelmoraWindow* activeWindow() const;

    // As if the user switched to `name` (loaded and visible) from another window.
    void userActivates(const QString& name);

    // Called by VelmoraWindow: Qt made `window` its active window.
    void systemActivated(VelmoraWindow* window);
    // Called by VelmoraWindow's destructor.
    void forget(VelmoraWindow* window);

signals:
    void programEnded(int exitCode);

private:
    void makeActive(VelmoraWindow* window);
    void release(VelmoraWindow* window);

    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<VelmoraWindow>> m_windows;
    QList<QPointer<VelmoraWindow>> m_released; // closed, waiting for their deferred delete
    QPointer<VelmoraWindow> m_active;
    bool m_ended = false;
    int m_exitCode = 0;
};

} // namespace velmora::toolkit
