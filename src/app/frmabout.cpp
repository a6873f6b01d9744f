#include "frmabout.h"

#include "config/appinfo.h"
#include "toolkit/controls.h"
#include "toolkit/geometry.h"
#include "toolkit/windowtext.h"

#include <array>

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace velmora::app {

using toolkit::ControlDesign;
using toolkit::ControlKind;

namespace {

constexpr int kClientWidth = 5736;
constexpr int kClientHeight = 5724;

constexpr const char* kDescription =
    "App Description:\n"
    "Velmora helps you adjust Unreal Tournament: it shows and changes the game's graphics, "
    "display and memory settings in its configuration file UnrealTournament.ini.\n"
    "Thanks to everyone who helped develop this program.";
constexpr const char* kLogoDisclaimer = "Disclaimer: All the Logo's used  in this program are "
                                        "property of the respective owners. ";
constexpr const char* kErrorWarning =
    "Warning: this is version 1.2.0 of the program and it may still contain errors. Please "
    "report any you find to its makers.";

constexpr std::array<ControlDesign, 10> kControls = {{
    {"cmdOK", ControlKind::CommandButton, nullptr, 4320, 3720, 1260, 345, "OK", 0},
    {"picIcon", ControlKind::PictureBox, nullptr, 120, 240, 684, 336, nullptr, -1},
    {"lblTitle", ControlKind::Label, nullptr, 1050, 240, 3885, 480, nullptr, -1},
    {"lblVersion", ControlKind::Label, nullptr, 1050, 780, 3885, 225, nullptr, -1},
    {"lblDescription", ControlKind::Label, nullptr, 1056, 1128, 3888, 1404, kDescription, -1},
    {"Label1", ControlKind::Label, nullptr, 1080, 2760, 3972, 492, kLogoDisclaimer, -1},
    {"Line1", ControlKind::Label, nullptr, 120, 3465, 5555, 30, nullptr, -1},
    {"lblDisclaimer", ControlKind::Label, nullptr, 240, 3720, 3876, 708, kErrorWarning, -1},
    {"Picture1", ControlKind::PictureBox, nullptr, 1560, 4440, 2412, 612, nullptr, -1},
    {"lblFile", ControlKind::Label, nullptr, 240, 5100, 5256, 492, nullptr, -1},
}};

// The banner's name and version are drawn here rather than in the picture, so that they follow
// the version.
QPixmap bannerPicture(const QString& text)
{
    QPixmap picture(QStringLiteral(":/app/banner.png"));
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPixelSize(picture.height() / 2);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0xff, 0xd2, 0x4a));
    painter.drawText(picture.rect().adjusted(picture.height() / 3, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    return picture;
}

} // namespace

frmAbout::frmAbout(toolkit::WindowRegistry& registry, std::function<std::string()> editedFile)
    : toolkit::VelmoraWindow(registry), m_editedFile(std::move(editedFile))
{
    createControls();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    toolkit::pressOnKey(this, Qt::Key_Escape, cmdOK);
}

void frmAbout::createControls()
{
    QWidget* client = createClientArea(kClientWidth, kClientHeight);
    const toolkit::ControlSet controls = toolkit::createControls(client, kControls, twipsDpi());
    lblTitle = controls.get<QLabel>("lblTitle");
    lblVersion = controls.get<QLabel>("lblVersion");
    cmdOK = controls.get<QPushButton>("cmdOK");
    // Enter presses OK, which has the focus when the box opens.
    cmdOK->setAutoDefault(true);
    cmdOK->setDefault(true);

    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblFile = controls.get<QLabel>("lblFile");
    for (const char* name : {"lblDescription", "Label1", "lblDisclaimer", "lblFile"}) {
        auto* label = controls.get<QLabel>(name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // The etched separator: a grey line over a white one.
    controls.get<QFrame>("Line1")->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    controls.get<QLabel>("picIcon")->setPixmap(QPixmap(QStringLiteral(":/app/icon.png")));
    auto* banner = controls.get<QLabel>("Picture1");
    banner->setPixmap(bannerPicture(QString::fromStdString(config::bannerText())));
    banner->setAccessibleName(QString::fromStdString(config::bannerText()));
    fixSize(Qt::Dialog);
}

void frmAbout::Form_Load()
{
    toolkit::centreOnScreen(this);
    const QString title = QString::fromUtf8(config::kAppTitle.data(),
                                            static_cast<qsizetype>(config::kAppTitle.size()));
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion->setText(QString::fromStdString(config::versionText()));
    lblTitle->setText(title);
    const QString file = toolkit::pathText(m_editedFile ? m_editedFile() : std::string());
    // A path has no blanks to wrap at: let it wrap after each folder.
    QString wrappable = file;
    wrappable.replace(QLatin1Char('/'), QStringLiteral("/\u200b"));
    lblFile->setText(file.isEmpty() ? QString() : QStringLiteral("Editing: ") + wrappable);
    lblFile->setToolTip(file);
}

void frmAbout::Form_Activate()
{
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    close();
}

} // namespace velmora::app
