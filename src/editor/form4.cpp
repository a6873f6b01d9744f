#include "editor/form4.h"

#include "config/catalogue.h"
#include "config/readmodule.h"
#include "config/renderers.h"
#include "editor/form5.h"
#include "sets/apply.h"
#include "sets/store.h"
#include "toolkit/dialogs.h"
#include "toolkit/geometry.h"
#include "toolkit/windowregistry.h"
#include "toolkit/windowtext.h"

#include <array>

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

namespace velmora::editor {
namespace {

using toolkit::ControlKind;

const QString kMainWindow = QStringLiteral("Frmmain");
const QString kWorkingLists = QStringLiteral("Form5");
const QString kLoadDialog = QStringLiteral("frmload");

constexpr int kClientWidth = 5280;
constexpr int kClientHeight = 3648;
constexpr int kStatusBarHeight = 372;
constexpr int kPanelWidth = 4000;

// Later entries lie on top: the entry boxes cover rows 10 and 13 of List2.
constexpr std::array<toolkit::ControlDesign, 10> kControls = {{
    {"List1", ControlKind::ListBox, nullptr, 0, 0, 2052, 3120, nullptr, 2},
    {"List2", ControlKind::ListBox, nullptr, 2040, 0, 1332, 3120, nullptr, 3},
    {"Text1", ControlKind::TextBox, nullptr, 2040, 1920, 1332, 288, nullptr, 0},
    {"Text2", ControlKind::TextBox, nullptr, 2040, 2400, 1332, 288, nullptr, 1},
    {"Frame1", ControlKind::Frame, nullptr, 3480, 0, 1692, 1572, nullptr, 5},
    {"Command1", ControlKind::CommandButton, "Frame1", 360, 240, 972, 492, "&Edit", 6},
    {"Command2", ControlKind::CommandButton, "Frame1", 360, 840, 972, 492, "&Load Settings", 7},
    {"Frame2", ControlKind::Frame, nullptr, 3480, 1560, 1692, 1572, nullptr, 8},
    {"Command4", ControlKind::CommandButton, "Frame2", 360, 240, 972, 492, "&Update ", 10},
    {"Command3", ControlKind::CommandButton, "Frame2", 360, 840, 972, 492, "E&xit", 9},
}};

const QString kSavedText = QStringLiteral("Settings were saved, REMEMBER no changes were made to "
                                          "Unreal tournament.ini, Press Update to do that ");

} // namespace

Form4::Form4(toolkit::WindowRegistry& registry, EditorServices services)
    : VelmoraWindow(registry), m_services(std::move(services))
{
    setWindowTitle(QStringLiteral("Texture..."));
    createControls();
    createMenus();
    createStatusBar();
    connectHandlers();
    fixSize(Qt::Window);
}

void Form4::createControls()
{
    QWidget* client = createClientArea(kClientWidth, kClientHeight);
    const toolkit::ControlSet controls = toolkit::createControls(client, kControls, twipsDpi());
    List1 = controls.get<toolkit::DesignListBox>(QStringLiteral("List1"));
    List2 = controls.get<toolkit::DesignListBox>(QStringLiteral("List2"));
    Text1 = controls.get<toolkit::DesignTextBox>(QStringLiteral("Text1"));
    Text2 = controls.get<toolkit::DesignTextBox>(QStringLiteral("Text2"));
    Command1 = controls.get<QPushButton>(QStringLiteral("Command1"));
    Command2 = controls.get<QPushButton>(QStringLiteral("Command2"));
    Command3 = controls.get<QPushButton>(QStringLiteral("Command3"));
    Command4 = controls.get<QPushButton>(QStringLiteral("Command4"));
    toolkit::scrollTogether(List1, List2);
    toolkit::fitRows({List1, List2}, static_cast<int>(config::kRowCount));
    toolkit::pinToRow(Text1, List2, static_cast<int>(config::kFrameRateRow));
    toolkit::pinToRow(Text2, List2, static_cast<int>(config::kParticleRow));

    toolkit::useInputColor({List1, List2, Text1, Text2});
    List1->setEnabled(false);
    List2->setEnabled(false);
    List2->setToolTip(QStringLiteral("Click on the item to edit"));
    Text1->setMaxLength(2);
    Text1->setToolTip(QStringLiteral("Fill Two Numbers in. Example: 20 not One number. "));
    Text1->hide();
    Text2->setMaxLength(1);
    Text2->hide();
}

void Form4::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    Save = file->addAction(QStringLiteral("Save"));
    Save->setObjectName(QStringLiteral("Save"));
    Load = file->addAction(QStringLiteral("Load"));
    Load->setObjectName(QStringLiteral("Load"));
    Check = file->addAction(QStringLiteral("Form5"));
    Check->setObjectName(QStringLiteral("Check"));
    Check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_5));
}

void Form4::createStatusBar()
{
    const double dpi = twipsDpi();
    StB1 = new toolkit::DesignStatusBar(centralWidget());
    StB1->setObjectName(QStringLiteral("StB1"));
    StB1->setGeometry(toolkit::twipsRect(0, kClientHeight - kStatusBarHeight, kClientWidth,
                                         kStatusBarHeight, dpi));
    StB1->addPanel(kPanelWidth, QString(), false, dpi);
}

void Form4::connectHandlers()
{
    connect(List2, &toolkit::DesignListBox::Click, this, &Form4::List2_Click);
    connect(Text1, &toolkit::DesignTextBox::Change, this, &Form4::Text1_Change);
    connect(Text2, &toolkit::DesignTextBox::Change, this, &Form4::Text2_Change);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form4::Command4_Click);
    connect(Save, &QAction::triggered, this, &Form4::Save_Click);
    connect(Load, &QAction::triggered, this, &Form4::Command2_Click);
    connect(Check, &QAction::triggered, this, &Form4::Check_Click);
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
}

// ---- window events ------------------------------------------------------------------------

void Form4::Form_Load()
{
    adjustSize();
    toolkit::centreOnScreen(this);
    lees();
    EenCall();
}

void Form4::Form_Activate()
{
    SetFilePath = sets::setFilePathIn(m_services.currentDirectory());
    registry().setVisible(kMainWindow, false);
    lees();
    Command1->setToolTip(QStringLiteral("Click to edit the Settings"));
    const sets::StoreStatus store = sets::openStore(SetFilePath);
    Command2->setEnabled(store.count != 0);
    StB1->setPanelText(
        1, QStringLiteral("Found %1 saved settings").arg(toolkit::fromCp1252(store.countText)));
}

void Form4::Form_Unload(bool& cancel)
{
    cancel = false;
    registry().setVisible(kMainWindow, true);
}

bool Form4::eventFilter(QObject* watched, QEvent* event)
{
    // Escape leaves an entry box without committing its text.
    if ((watched == Text1 || watched == Text2) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        static_cast<QWidget*>(watched)->hide();
        List2->clearSelection();
        return true;
    }
    return VelmoraWindow::eventFilter(watched, event);
}

// ---- the lists ----------------------------------------------------------------------------

void Form4::lees()
{
    m_lastRead = sets::readEditorLists(m_services.readModule, m_services.Utpath());
    List1->clearRows();
    List2->clearRows();
    for (std::size_t i = 0; i < m_lastRead.names.size(); ++i) {
        List1->addRow(toolkit::fromCp1252(m_lastRead.names[i]));
        List2->addRow(toolkit::fromCp1252(m_lastRead.values[i]));
    }
}

void Form4::EenCall()
{
    workingLists()->setSnapshot(editorLists());
}

sets::EditorLists Form4::editorLists() const
{
    sets::EditorLists lists;
    for (int i = 0; i < List1->rowCount(); ++i) {
        lists.names.push_back(toolkit::toCp1252(List1->rowText(i)));
    }
    for (int i = 0; i < List2->rowCount(); ++i) {
        lists.values.push_back(toolkit::toCp1252(List2->rowText(i)));
    }
    return lists;
}

Form5* Form4::workingLists()
{
    return registry().windowAs<Form5>(kWorkingLists);
}

// ---- item editing -------------------------------------------------------------------------

void Form4::List2_Click()
{
    const int row = List2->selectedRow();
    if (row < 0 || row >= static_cast<int>(config::kRowCount)) {
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    if (index == config::kFrameRateRow) {
        Text1->show();
        return;
    }
    if (index == config::kParticleRow) {
        Text2->show();
        return;
    }
    const std::string current = toolkit::toCp1252(List2->rowText(row));
    const std::vector<std::string> deviceCycle = index == config::kDeviceRow
                                                     ? config::deviceCycle(m_services.Utpath())
                                                     : std::vector<std::string>();
    if (const auto next = config::nextInCycle(index, current, deviceCycle)) {
        List2->replaceRow(row, toolkit::fromCp1252(*next));
    }
}

void Form4::Text1_Change()
{
    // One character of a two-digit frame rate is still being typed.
    if (Text1->text().size() == 1) {
        return;
    }
    List2->replaceRow(static_cast<int>(config::kFrameRateRow), Text1->text());
    Text1->hide();
}

void Form4::Text2_Change()
{
    if (Text2->text().isEmpty()) {
        return;
    }
    List2->replaceRow(static_cast<int>(config::kParticleRow), Text2->text());
    Text2->hide();
}

// ---- commands -----------------------------------------------------------------------------

void Form4::Command1_Click()
{
    if (!List2->isEnabled()) {
        List2->setEnabled(true);
        List1->setEnabled(true);
        Command1->setText(QStringLiteral("Save"));
        Command1->setToolTip(QStringLiteral("Click to Save the Settings"));
        return;
    }
    List2->setEnabled(false);
    List1->setEnabled(false);
    Command1->setText(QStringLiteral("Edit"));
    Command1->setToolTip(QStringLiteral("Click to Edit the Settings"));
    promptAndSave();
}

void Form4::Save_Click()
{
    promptAndSave();
}

void Form4::promptAndSave()
{
    const QString name = m_services.dialogs.inputBox(
        QStringLiteral("Please enter a name to save settings to"), QStringLiteral("Save Settings"));
    if (name.isEmpty()) {
        return;
    }
    const std::optional<std::string> cp1252Name = sets::setNameInCodePage(name.toStdU16String());
    sets::EditorLists lists = editorLists();
    std::string& device = lists.values.at(config::kDeviceRow);
    device = config::storedDeviceValue(config::gameRenderers(m_services.Utpath()), device);
    const sets::SaveResult saved =
        cp1252Name ? sets::saveSettingSet(SetFilePath, *cp1252Name, lists)
                   : sets::SaveResult{
                         platform::WriteOutcome::refused(std::string(sets::kNameOutsideCodePage))};
    if (saved.outcome.status == platform::WriteStatus::Refused) {
        m_services.dialogs.messageBox(
            QStringLiteral("The settings were not saved. ") + toolkit::reasonText(saved.outcome),
            QStringLiteral("Error"), toolkit::MessageIcon::Critical, toolkit::MessageButtons::Ok);
        return;
    }
    if (!saved.outcome.ok()) {
        toolkit::reportWriteFailure(m_services.dialogs, SetFilePath, saved.outcome);
        return;
    }
    m_services.dialogs.messageBox(kSavedText, QString(), toolkit::MessageIcon::Information,
                                  toolkit::MessageButtons::Ok);
}

void Form4::Command2_Click()
{
    registry().setVisible(kLoadDialog, true);
}

void Form4::Command3_Click()
{
    registry().unload(designName());
}

void Form4::Check_Click()
{
    registry().setVisible(kWorkingLists, true);
}

void Form4::Command4_Click()
{
    if (!ApplyChangedSettings(true)) {
        return;
    }
    EenCall();
    reportAppliedAndReturn();
}

// ---- setting sets and the apply -----------------------------------------------------------

bool Form4::LoadSettingSet(const sets::StoredSet& set)
{
    const sets::EditorLists current = editorLists();
    const auto values = sets::loadSettingSet(SetFilePath, set.number, current.names);
    if (!values) {
        m_services.dialogs.messageBox(
            QStringLiteral("The setting set \"%1\" is no longer in %2, so nothing was changed.")
                .arg(toolkit::fromCp1252(set.name), toolkit::pathText(SetFilePath)),
            QStringLiteral("Error"), toolkit::MessageIcon::Critical, toolkit::MessageButtons::Ok);
        return false;
    }
    const std::vector<config::Renderer> renderers = config::gameRenderers(m_services.Utpath());
    List2->clearRows();
    for (std::size_t row = 0; row < values->size(); ++row) {
        // A row the set lacks reads as the placeholder, which the apply never writes.
        const std::string value =
            (*values)[row].value_or(std::string(config::ReadModule::kDefault));
        // A renderer stored as its class shows as the lists show it.
        List2->addRow(toolkit::fromCp1252(
            row == config::kDeviceRow ? config::displayNameFor(renderers, value) : value));
    }
    return true;
}

bool Form4::ApplyChangedSettings(bool editedOnly)
{
    const sets::ApplyResult result =
        sets::ApplyChangedSettings(m_services.readModule, m_services.Utpath(), editorLists(),
                                   editedOnly ? &m_lastRead : nullptr);
    workingLists()->setChanges(result.changes);
    if (!result.ok()) {
        m_services.dialogs.messageBox(
            toolkit::fromCp1252(sets::applyFailureItem(result)) + QStringLiteral(" (") +
                toolkit::reasonText(result.outcome) + QStringLiteral(")"),
            QString(), toolkit::MessageIcon::Critical, toolkit::MessageButtons::Ok);
        return false;
    }
    lees();
    return true;
}

bool Form4::loadAndApply(const sets::StoredSet& set)
{
    if (!LoadSettingSet(set) || !ApplyChangedSettings(false)) {
        return false;
    }
    EenCall();
    reportAppliedAndReturn();
    return true;
}

void Form4::reportAppliedAndReturn()
{
    m_services.dialogs.messageBox(QStringLiteral("Graphics changes have been applied"),
                                  QStringLiteral("Done"), toolkit::MessageIcon::Information,
                                  toolkit::MessageButtons::Ok);
    m_services.showAppliedMark();
    registry().setVisible(designName(), false);
    registry().setVisible(kMainWindow, true);
}

} // namespace velmora::editor
