#pragma once

// frmAbout, the about box: title, version, a description, a disclaimer, two small
// pictures and the game's file being edited. Not modal; its OK button closes it.

#include "toolkit/velmorawindow.h"

#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace velmora::app {

class frmAbout final : public toolkit::VelmoraWindow {
    Q_OBJECT
public:
    // `editedFile` gives the game's file being edited; empty text when none is.
    explicit frmAbout(toolkit::WindowRegistry& registry,
                      std::function<std::string()> editedFile = nullptr);

    // Centres the box and sets its caption, version, title and the file being edited.
    void Form_Load() override;
    void Form_Activate() override;

private:
    void createControls();
    void cmdOK_Click();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblFile = nullptr;
    std::function<std::string()> m_editedFile;
    QPushButton* cmdOK = nullptr;
};

} // namespace velmora::app
