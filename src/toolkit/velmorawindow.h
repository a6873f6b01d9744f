#pragma once

// The base of every Velmora window: the design's three window events as virtual functions,
// run by the window registry. A window is created by its registry factory and reaches other
// windows through the registry only.

#include <QMainWindow>

namespace velmora::toolkit {

class WindowRegistry;

class VelmoraWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit VelmoraWindow(WindowRegistry& registry);
    ~VelmoraWindow() override;

    // Runs once per load, right after the window object is created, before it is shown.
    virtual void Form_Load() {}
    // Runs each time the window becomes the program's active window.
    virtual void Form_Activate() {}
    // Runs on every close request; setting `cancel` keeps the window as it is.
    virtual void Form_Unload(bool& cancel) { cancel = false; }

    // The design name, which is also the objectName.
    QString designName() const { return objectName(); }

protected:
    WindowRegistry& registry() const { return m_registry; }

    // The recipe every window is built by: its twips become pixels at twipsDpi(), its controls
    // stand in a client area of the design's size, and a window of fixed size ends with fixSize.

    // The screen's resolution scaled to the window's font (layoutDpi).
    double twipsDpi() const;
    // Makes a client area `widthTwips` by `heightTwips` at twipsDpi() the central widget.
    QWidget* createClientArea(int widthTwips, int heightTwips);
    // Fixes the window at the size of its contents. `type` Qt::Window or Qt::Dialog gets the title
    // bar of a fixed window, a title and a close button only: maximizing would do nothing;
    // Qt::SplashScreen gets no frame.
    void fixSize(Qt::WindowType type);

    // A close request (the close button, close()) goes to the registry, which runs
    // Form_Unload and destroys the window unless it is cancelled.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class WindowRegistry;
    WindowRegistry& m_registry;
    bool m_releasing = false; // the registry is taking the window down
};

} // namespace velmora::toolkit
