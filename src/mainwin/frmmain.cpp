#include "frmmain.h"

#include "config/appinfo.h"
#include "config/catalogue.h"
#include "config/gameconfig.h"
#include "config/mainwindisplay.h"
#include "config/readmodule.h"
#include "frmrestore.h"
#include "openhelpfile.h"
#include "platform/fileio.h"
#include "platform/systeminfo.h"
#include "sets/editorlists.h"
#include "toolkit/controls.h"
#include "toolkit/dialogs.h"
#include "toolkit/geometry.h"
#include "toolkit/windowregistry.h"
#include "toolkit/windowtext.h"

#include <array>

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace velmora::mainwin {

using toolkit::ControlDesign;
using toolkit::ControlKind;

namespace {

constexpr int kClientWidth = 7308;
constexpr int kClientHeight = 4572;
// The design's system colour 11 (inactive border) in the classic Windows scheme.
const QColor kWindowColor(212, 208, 200);

// Positions in twips, relative to the client area or the frame holding the control.
constexpr std::array<ControlDesign, 17> kControls = {{
    {"Frame1", ControlKind::Frame, nullptr, 120, 0, 3612, 1332, "Graphics", 0},
    {"Option1", ControlKind::OptionButton, "Frame1", 240, 240, 1452, 252, "Slow system", 4},
    {"Option2", ControlKind::OptionButton, "Frame1", 360, 600, 1332, 252, "Fast system", 5},
    {"Option3", ControlKind::OptionButton, "Frame1", 360, 960, 1452, 252, "User defined", 6},
    {"Picture1", ControlKind::PictureBox, "Frame1", 2400, 240, 732, 852, nullptr, 12},
    {"Frame2", ControlKind::Frame, nullptr, 120, 1320, 3612, 1092, "Memory Usage", 1},
    {"Label2", ControlKind::Label, "Frame2", 240, 360, 1932, 252, "Unreal tournament  use:-->", 16},
    {"Text1", ControlKind::TextBox, "Frame2", 2520, 360, 612, 288, nullptr, 10},
    {"Frame3", ControlKind::Frame, nullptr, 120, 2400, 3612, 1572, "Select Display driver", 2},
    {"Combo1", ControlKind::DropDownList, "Frame3", 240, 360, 2052, 0, nullptr, 11},
    {"Combo2", ControlKind::DropDownList, "Frame3", 240, 840, 2052, 0, nullptr, 13},
    {"Picture2", ControlKind::PictureBox, "Frame3", 2400, 360, 732, 852, nullptr, 14},
    {"Frame4", ControlKind::Frame, nullptr, 3720, 0, 3492, 3372, "Unreal tournament.ini", 7},
    {"List1", ControlKind::ListBox, "Frame4", 120, 360, 1812, 2928, nullptr, 8},
    {"List2", ControlKind::ListBox, "Frame4", 1920, 360, 1452, 2928, nullptr, 9},
    {"Command1", ControlKind::CommandButton, nullptr, 3960, 3480, 1452, 492, "&Done", 3},
    {"CmdExit", ControlKind::CommandButton, nullptr, 5640, 3480, 1452, 492, "E&xit", 15},
}};

struct PanelSpec {
    int widthTwips;
    const char* text; // nullptr: filled at run time
};

constexpr std::array<PanelSpec, 6> kPanels = {{
    {1400, "Current resoltution:"},
    {1200, nullptr},
    {1925, "Total detected  memory:"},
    {700, nullptr},
    {1200, "Unreal Cache:"},
    {1000, nullptr},
}};

constexpr int kResolutionPanel = 2;
constexpr int kMemoryPanel = 4;
constexpr int kCachePanel = 6;

QString text(std::string_view bytes)
{
    return toolkit::fromCp1252(bytes);
}

// In the screen's own pixels, which is what the game's resolution counts.
QSize screenPixels()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() * screen->devicePixelRatio() : QSize();
}

} // namespace

Frmmain::Frmmain(toolkit::WindowRegistry& registry, toolkit::DialogService& dialogService,
                 toolkit::DocumentOpener& documentOpener, const platform::GameLocator& locator,
                 const platform::SystemInfo& system, config::ReadModule& module)
    : toolkit::VelmoraWindow(registry), dialogs(dialogService), documents(documentOpener),
      gameLocator(locator), systemInfo(system), readModule(module)
{
    setWindowTitle(text(config::kAppTitle));
    createControls();
    createMenus();
    createStatusBar();
    connectHandlers();
    fixSize(Qt::Window);
}

void Frmmain::createControls()
{
    QWidget* client = createClientArea(kClientWidth, kClientHeight);
    toolkit::setBackgroundColor(this, kWindowColor);

    const toolkit::ControlSet controls = toolkit::createControls(client, kControls, twipsDpi());
    Option1 = controls.get<QRadioButton>("Option1");
    Option2 = controls.get<QRadioButton>("Option2");
    Option3 = controls.get<QRadioButton>("Option3");
    Picture1 = controls.get<QLabel>("Picture1");
    Picture2 = controls.get<QLabel>("Picture2");
    Text1 = controls.get<toolkit::DesignTextBox>("Text1");
    Combo1 = controls.get<toolkit::DesignComboBox>("Combo1");
    Combo2 = controls.get<toolkit::DesignComboBox>("Combo2");
    List1 = controls.get<toolkit::DesignListBox>("List1");
    List2 = controls.get<toolkit::DesignListBox>("List2");
    Command1 = controls.get<QPushButton>("Command1");
    CmdExit = controls.get<QPushButton>("CmdExit");
    Frame4 = controls.get<QGroupBox>("Frame4");
    toolkit::scrollTogether(List1, List2);
    toolkit::fitRows({List1, List2}, static_cast<int>(config::kRowCount));

    toolkit::useInputColor({Text1, Combo1, Combo2, List1, List2});
    Text1->setDigitsOnlyTyping(true);

    Combo1->addItem(text(config::kSelectDriver));
    Combo2->addItem(text(config::kSelectResolution));
    const QSize screen = screenPixels();
    resolutionItems = config::resolutionChoices(screen.width(), screen.height());
    for (const config::ResolutionChoice& resolution : resolutionItems) {
        Combo2->addItem(text(resolution.listItem));
    }

    const QPixmap check(QStringLiteral(":/mainwin/check.png"));
    for (QLabel* picture : {Picture1, Picture2}) {
        picture->setPixmap(check);
        picture->setScaledContents(true);
        picture->hide();
    }
}

void Frmmain::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    Restore = file->addAction(QStringLiteral("&Restore..."));
    Restore->setObjectName(QStringLiteral("Restore"));
    file->addSeparator();
    exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("exit"));

    QMenu* hello = menuBar()->addMenu(QStringLiteral("&Help"));
    hello->setObjectName(QStringLiteral("Hello"));
    Help = hello->addAction(QStringLiteral("H&elp"));
    Help->setObjectName(QStringLiteral("Help"));
    About = hello->addAction(QStringLiteral("&About"));
    About->setObjectName(QStringLiteral("About"));
}

void Frmmain::createStatusBar()
{
    const double dpi = twipsDpi();
    StatusBar1 = new toolkit::DesignStatusBar(centralWidget());
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(toolkit::twipsRect(0, 4200, kClientWidth, 372, dpi));
    for (const PanelSpec& panel : kPanels) {
        StatusBar1->addPanel(panel.widthTwips,
                             panel.text != nullptr ? QString::fromLatin1(panel.text) : QString(),
                             panel.text != nullptr, dpi);
    }
}

void Frmmain::connectHandlers()
{
    connect(Text1, &toolkit::DesignTextBox::Change, this, &Frmmain::Text1_Change);
    connect(Combo1, &toolkit::DesignComboBox::DropDown, this, &Frmmain::Combo1_DropDown);
    connect(Combo2, &toolkit::DesignComboBox::DropDown, this, &Frmmain::Combo2_DropDown);
    connect(Command1, &QPushButton::clicked, this, &Frmmain::Command1_Click);
    // An option's Click runs when it becomes selected; clearing it runs nothing.
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            Option1_Click();
        }
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            Option2_Click();
        }
    });
    connect(Option3, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            Option3_Click();
        }
    });
    connect(Restore, &QAction::triggered, this, &Frmmain::Restore_Click);
    connect(About, &QAction::triggered, this, &Frmmain::About_Click);
    connect(Help, &QAction::triggered, this, &Frmmain::Help_Click);
    connect(exit, &QAction::triggered, this, &Frmmain::exit_Click);
    connect(CmdExit, &QPushButton::clicked, this, &Frmmain::CmdExit_Click);
}

void Frmmain::Form_Load()
{
    HelpPath =
        toolkit::pathText(platform::fullPathName("Help.html", systemInfo.currentDirectory()));
    toolkit::centreOnScreen(this);

    // The file is shown, backed up and written by its full path, whatever the folder later is.
    if (!ConfigRequest.iniFile.empty()) {
        ConfigRequest.iniFile =
            platform::fullPathName(ConfigRequest.iniFile, systemInfo.currentDirectory());
    }
    const std::optional<config::GameConfigLocation> location =
        config::locateGameConfig(gameLocator, ConfigRequest);
    if (!location) {
        if (ConfigRequest.iniFile.empty()) {
            dialogs.messageBox(text(config::kFolderNotFoundText),
                               text(config::kFolderNotFoundTitle), toolkit::MessageIcon::Critical,
                               toolkit::MessageButtons::Ok);
        } else {
            showError(
                QStringLiteral("The file named with --ini cannot be edited: %1 (%2)")
                    .arg(toolkit::pathText(ConfigRequest.iniFile),
                         QString::fromLocal8Bit(config::iniFileProblem(ConfigRequest.iniFile))));
        }
        registry().endProgram(1);
        return;
    }
    GameFolder = location->GameFolder;
    Utpath = location->Utpath;
    Frame4->setToolTip(toolkit::pathText(Utpath) + QLatin1Char('\n') + text(location->why));
    Restore->setEnabled(Backups != nullptr);
    renderers = config::gameRenderers(Utpath);
    for (const config::Renderer& renderer : renderers) {
        Combo1->addItem(text(renderer.listItem));
    }

    leesman();
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
    detectMemory();
}

void Frmmain::Form_Activate()
{
    leesman();
    toolkit::deselectOptions({Option1, Option2, Option3});
}

void Frmmain::Form_Unload(bool& cancel)
{
    const toolkit::MessageAnswer answer =
        dialogs.messageBox(QStringLiteral("Exit Program?"), QStringLiteral("Exit program"),
                           toolkit::MessageIcon::Information, toolkit::MessageButtons::YesNo);
    if (answer != toolkit::MessageAnswer::Yes) {
        cancel = true;
        return;
    }
    registry().endProgram(0);
}

void Frmmain::detectMemory()
{
    const config::MemoryFigures figures = config::memoryFigures(systemInfo.totalPhysicalMemory());
    DetectedMemoryMb = figures.detectedMb;
    Text1->setText(text(config::blankSignedNumber(figures.suggestedCacheMb)));
    StatusBar1->setPanelText(kMemoryPanel, text(config::memoryPanelText(DetectedMemoryMb)));
}

void Frmmain::leesman()
{
    List1->clearRows();
    List2->clearRows();
    const sets::EditorLists rows = sets::readEditorLists(readModule, Utpath);
    for (std::size_t row = 0; row < rows.names.size(); ++row) {
        List1->addRow(text(rows.names[row]));
        List2->addRow(text(rows.values[row]));
    }

    const config::GameSections sections = config::readGameSections(Utpath);
    readModule.ReadGameValueCounted(config::sectionFor(config::kFullscreenViewportX, sections),
                                    config::kFullscreenViewportX, Utpath);
    const std::string width = readModule.ReadResult;
    readModule.ReadGameValueCounted(config::sectionFor(config::kFullscreenViewportY, sections),
                                    config::kFullscreenViewportY, Utpath);
    StatusBar1->setPanelText(kResolutionPanel,
                             text(config::resolutionPanelText(width, readModule.ReadResult)));
    readModule.ReadCount = 0;

    readModule.ReadGameValue(config::sectionFor(config::kCacheSizeMegs, {}), config::kCacheSizeMegs,
                             Utpath);
    StatusBar1->setPanelText(kCachePanel, text(config::cachePanelText(readModule.ReadResult)));
}

void Frmmain::setPicture1Visible(bool visible)
{
    Picture1->setVisible(visible);
}

void Frmmain::Restore_Click()
{
    if (Backups == nullptr) {
        return;
    }
    // The changes the check marks stand for are undone.
    auto* dialog = new frmRestore(this, dialogs, *Backups, Utpath, [this] {
        leesman();
        Picture1->hide();
        Picture2->hide();
    });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void Frmmain::About_Click()
{
    registry().setVisible(QStringLiteral("frmAbout"), true);
}

void Frmmain::Help_Click()
{
    OpenHelpFile(documents, dialogs, HelpPath);
}

void Frmmain::exit_Click()
{
    close();
}

void Frmmain::CmdExit_Click()
{
    close();
}

bool Frmmain::writeGameValue(std::string_view section, std::string_view key, std::string_view value)
{
    const platform::WriteOutcome outcome = readModule.WriteGameValue(section, key, value, Utpath);
    if (outcome.ok()) {
        return true;
    }
    toolkit::reportWriteFailure(dialogs, Utpath, outcome);
    return false;
}

void Frmmain::showError(const QString& message)
{
    dialogs.messageBox(message, QStringLiteral("Error"), toolkit::MessageIcon::Critical,
                       toolkit::MessageButtons::Ok);
}

} // namespace velmora::mainwin
