#pragma once

// frmSplash, the first window: it loads the main window hidden (whose load may end the
// program), makes sure Velmora.ini exists, then counts 25 timer ticks over its progress bar
// and hands over to the main window. It refuses every earlier close request.

#include "toolkit/velmorawindow.h"

#include <string>

#include <QTimer>

class QFrame;
class QLabel;
class QProgressBar;

namespace velmora::platform {
class SystemInfo;
}

namespace velmora::app {

class frmSplash final : public toolkit::VelmoraWindow {
    Q_OBJECT
public:
    static constexpr int kTickLimit = 25;

    frmSplash(toolkit::WindowRegistry& registry, const platform::SystemInfo& system);

    void Form_Load() override;
    // Starts the countdown once the splash is on screen.
    void Form_Activate() override;
    // Allowed on the 25th tick only; then the main window is shown.
    void Form_Unload(bool& cancel) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Timer1_Timer();
    void Form_KeyPress();
    void Frame1_Click();

    const platform::SystemInfo& systemInfo;
    std::string storePath;
    int TickCount = 0;

    QFrame* Frame1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer Timer1;
};

} // namespace velmora::app
