#include "sets/ui/frmload.h"

#include "sets/store.h"
#include "toolkit/dialogs.h"
#include "toolkit/geometry.h"
#include "toolkit/windowregistry.h"
#include "toolkit/windowtext.h"

#include <array>

#include <QPushButton>

namespace velmora::sets::ui {
namespace {

using velmora::toolkit::ControlKind;

constexpr std::array<velmora::toolkit::ControlDesign, 3> kControls = {{
    {"Combo1", ControlKind::DropDownList, nullptr, 480, 240, 2652, 288, nullptr, 0},
    {"Command1", ControlKind::CommandButton, nullptr, 240, 840, 1332, 372, "&Load", 1},
    {"Command2", ControlKind::CommandButton, nullptr, 2040, 840, 1332, 372, "&Cancel", 2},
}};

const QString kEditorClosedText =
    QStringLiteral("The editor has been closed. Open it again with \"User defined\" to load a "
                   "setting set.");

} // namespace

frmload::frmload(velmora::toolkit::WindowRegistry& registry,
                 velmora::toolkit::DialogService& dialogs, std::shared_ptr<EditorSession> editor)
    : VelmoraWindow(registry), m_dialogs(dialogs), m_editor(std::move(editor))
{
    createControls();
    connectHandlers();
}

void frmload::createControls()
{
    setWindowTitle(QStringLiteral("Load setting"));
    QWidget* client = createClientArea(3744, 1368);
    const velmora::toolkit::ControlSet controls =
        velmora::toolkit::createControls(client, kControls, twipsDpi());
    Combo1 = controls.get<velmora::toolkit::DesignComboBox>(QStringLiteral("Combo1"));
    Command1 = controls.get<QPushButton>(QStringLiteral("Command1"));
    Command2 = controls.get<QPushButton>(QStringLiteral("Command2"));
    velmora::toolkit::useInputColor({Combo1});
    // Nothing to load until a set is chosen.
    Command1->setEnabled(false);
    fixSize(Qt::Window);
}

void frmload::connectHandlers()
{
    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmload::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmload::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmload::Command2_Click);
    // Enter loads the chosen set and Escape cancels, as in any dialog.
    velmora::toolkit::pressOnKey(this, Qt::Key_Return, Command1);
    velmora::toolkit::pressOnKey(this, Qt::Key_Enter, Command1);
    velmora::toolkit::pressOnKey(this, Qt::Key_Escape, Command2);
}

void frmload::Form_Load()
{
    adjustSize();
    velmora::toolkit::centreOnScreen(this);
    const std::optional<std::string> store = m_editor->storePath();
    if (!store) {
        return;
    }
    m_sets = listSets(*store);
    for (const StoredSet& set : m_sets) {
        Combo1->addItem(velmora::toolkit::fromCp1252(set.name));
    }
    Combo1->setCurrentIndex(-1);
}

void frmload::Combo1_Click()
{
    Command1->setEnabled(Combo1->currentIndex() >= 0);
}

void frmload::Command1_Click()
{
    const int position = Combo1->currentIndex();
    if (position < 0 || position >= static_cast<int>(m_sets.size())) {
        return;
    }
    if (!m_editor->storePath()) {
        m_dialogs.messageBox(kEditorClosedText, QString(),
                             velmora::toolkit::MessageIcon::Information,
                             velmora::toolkit::MessageButtons::Ok);
        return;
    }
    m_editor->loadAndApply(m_sets[static_cast<std::size_t>(position)]);
}

void frmload::Command2_Click()
{
    registry().unload(designName());
}

} // namespace velmora::sets::ui
