#include "frmsplash.h"

#include "config/appinfo.h"
#include "platform/systeminfo.h"
#include "sets/store.h"
#include "toolkit/controls.h"
#include "toolkit/geometry.h"
#include "toolkit/windowregistry.h"

#include <array>

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>

namespace velmora::app {

using toolkit::ControlDesign;
using toolkit::ControlKind;

namespace {

constexpr int kClientWidth = 7380;
constexpr int kClientHeight = 4236;
constexpr std::array<ControlDesign, 5> kControls = {{
    {"Frame1", ControlKind::Label, nullptr, 120, 60, 7080, 4050, nullptr, -1},
    {"imgLogo", ControlKind::PictureBox, "Frame1", 960, 1080, 5400, 1680, nullptr, -1},
    {"lblProductName", ControlKind::Label, "Frame1", 240, 240, 0, 0, "Product", -1},
    {"lblVersion", ControlKind::Label, "Frame1", 5136, 3420, 0, 0, "Version", -1},
    {"ProgressBar1", ControlKind::ProgressBar, "Frame1", 1320, 2880, 4572, 132, nullptr, -1},
}};

} // namespace

frmSplash::frmSplash(toolkit::WindowRegistry& registry, const platform::SystemInfo& system)
    : toolkit::VelmoraWindow(registry), systemInfo(system)
{
    createControls();
    Timer1.setInterval(1);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::createControls()
{
    QWidget* client = createClientArea(kClientWidth, kClientHeight);
    toolkit::setBackgroundColor(this, Qt::black);

    const toolkit::ControlSet controls = toolkit::createControls(client, kControls, twipsDpi());
    Frame1 = controls.get<QFrame>("Frame1");
    imgLogo = controls.get<QLabel>("imgLogo");
    lblProductName = controls.get<QLabel>("lblProductName");
    lblVersion = controls.get<QLabel>("lblVersion");
    ProgressBar1 = controls.get<QProgressBar>("ProgressBar1");

    toolkit::setBackgroundColor(Frame1, Qt::black);
    Frame1->installEventFilter(this);
    imgLogo->setPixmap(QPixmap(QStringLiteral(":/app/logo.png")));
    imgLogo->setScaledContents(true);

    QFont title(QStringLiteral("Arial"), 32, QFont::Bold);
    lblProductName->setFont(title);
    lblProductName->setStyleSheet(QStringLiteral("color: rgb(255, 255, 128);"));
    QFont version(QStringLiteral("Arial"), 12, QFont::Bold);
    lblVersion->setFont(version);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The classic scheme's inactive caption text.
    lblVersion->setStyleSheet(QStringLiteral("color: rgb(192, 192, 192);"));

    ProgressBar1->setRange(0, kTickLimit);
    ProgressBar1->setValue(0);
    fixSize(Qt::SplashScreen);
}

void frmSplash::Form_Load()
{
    lblVersion->setText(QString::fromStdString(config::versionText()));
    lblVersion->adjustSize();

    lblProductName->setText(QString::fromUtf8(config::kAppTitle.data(),
                                              static_cast<qsizetype>(config::kAppTitle.size())));
    lblProductName->adjustSize();
    lblProductName->move((width() - lblProductName->width()) / 2 - Frame1->x(),
                         lblProductName->y());

    storePath = sets::setFilePathIn(systemInfo.currentDirectory());

    // Loads the main window now; its load may show a message and end the program.
    registry().setVisible(QStringLiteral("Frmmain"), false);
    if (registry().hasEnded()) {
        return;
    }
    // A store that cannot be created stays missing; the editor meets it in that state.
    static_cast<void>(sets::createStore(storePath));
    toolkit::centreOnScreen(this);
}

void frmSplash::Form_Activate()
{
    if (TickCount < kTickLimit && !Timer1.isActive()) {
        Timer1.start();
    }
}

void frmSplash::Form_Unload(bool& cancel)
{
    if (TickCount != kTickLimit) {
        cancel = true;
        return;
    }
    Timer1.stop();
    registry().setVisible(QStringLiteral("Frmmain"), true);
}

void frmSplash::Timer1_Timer()
{
    ++TickCount;
    ProgressBar1->setValue(TickCount);
    close();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    Form_KeyPress();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return toolkit::VelmoraWindow::eventFilter(watched, event);
}

void frmSplash::Form_KeyPress()
{
    close();
}

void frmSplash::Frame1_Click()
{
    close();
}

} // namespace velmora::app
