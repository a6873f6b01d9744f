#pragma once

// frmAbout, the about box: title, version, a description, a disclaimer and two small
// pictures. Not modal; its OK button closes it.

#include "platform/ui/velmorawindow.h"

class QLabel;
class QPushButton;

namespace velmora::app {

class frmAbout final : public platform::ui::VelmoraWindow {
    Q_OBJECT
public:
    explicit frmAbout(platform::ui::WindowRegistry& registry);

    // Centres the box and sets its caption, version and title.
    void Form_Load() override;
    void Form_Activate() override;

private:
    void createControls();
    void cmdOK_Click();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace velmora::app
