#include "sets/ui/frmload.h"

#include "editor/form4.h"
#include "editor/form5.h"
#include "platform/ui/cp1252.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/geometry.h"
#include "platform/ui/windowregistry.h"
#include "sets/store.h"

#include <array>

#include <QColor>
#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

namespace velmora::sets::ui {
namespace {

using velmora::ui::ControlKind;

const QString kEditor = QStringLiteral("Form4");

constexpr std::array<velmora::ui::ControlDesign, 3> kControls = {{
    {"Combo1", ControlKind::DropDownList, nullptr, 480, 240, 2652, 288, nullptr, 0},
    {"Command1", ControlKind::CommandButton, nullptr, 240, 840, 1332, 372, "&Load", 1},
    {"Command2", ControlKind::CommandButton, nullptr, 2040, 840, 1332, 372, "&Cancel", 2},
}};

const QString kEditorClosedText =
    QStringLiteral("The editor has been closed. Open it again with \"User defined\" to load a "
                   "setting set.");

} // namespace

frmload::frmload(velmora::ui::WindowRegistry& registry, velmora::ui::DialogService& dialogs)
    : VelmoraWindow(registry), m_dialogs(dialogs)
{
    createControls();
    connectHandlers();
}

void frmload::createControls()
{
    setWindowTitle(QStringLiteral("Load setting"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const double dpi = velmora::ui::screenDpi();
    auto* client = new QWidget(this);
    client->setFixedSize(velmora::ui::twipsToPixels(3744, dpi),
                         velmora::ui::twipsToPixels(1368, dpi));
    setCentralWidget(client);
    const velmora::ui::ControlSet controls = velmora::ui::createControls(client, kControls, dpi);
    Combo1 = controls.get<velmora::ui::DesignComboBox>(QStringLiteral("Combo1"));
    Command1 = controls.get<QPushButton>(QStringLiteral("Command1"));
    Command2 = controls.get<QPushButton>(QStringLiteral("Command2"));
    velmora::ui::setBackgroundColor(Combo1, QColor(255, 224, 192), true);
    // Nothing to load until a set is chosen.
    Command1->setEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void frmload::connectHandlers()
{
    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmload::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmload::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmload::Command2_Click);
    // Enter loads the chosen set and Escape cancels, as in any dialog.
    velmora::ui::pressOnKey(this, Qt::Key_Return, Command1);
    velmora::ui::pressOnKey(this, Qt::Key_Enter, Command1);
    velmora::ui::pressOnKey(this, Qt::Key_Escape, Command2);
}

void frmload::Form_Load()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    adjustSize();
    move(screen.left() + (screen.width() - width()) / 2,
         screen.top() + (screen.height() - height()) / 2);
    const auto* editor = qobject_cast<editor::Form4*>(registry().loadedWindow(kEditor));
    if (editor == nullptr) {
        return;
    }
    m_sets = listSets(editor->SetFilePath);
    for (const StoredSet& set : m_sets) {
        Combo1->addItem(velmora::ui::fromCp1252(set.name));
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
    auto* editor = qobject_cast<editor::Form4*>(registry().loadedWindow(kEditor));
    if (editor == nullptr) {
        m_dialogs.messageBox(kEditorClosedText, QString(), velmora::ui::MessageIcon::Information,
                             velmora::ui::MessageButtons::Ok);
        return;
    }
    if (!editor->LoadSettingSet(m_sets[static_cast<std::size_t>(position)]) ||
        !editor->ApplyChangedSettings()) {
        return;
    }
    SnapshotEditorLists(registry());
    editor->reportAppliedAndReturn();
}

void frmload::Command2_Click()
{
    registry().unload(designName());
}

void SnapshotEditorLists(velmora::ui::WindowRegistry& registry)
{
    const auto* editor = qobject_cast<editor::Form4*>(registry.loadedWindow(kEditor));
    auto* lists = registry.windowAs<editor::Form5>(QStringLiteral("Form5"));
    if (editor != nullptr && lists != nullptr) {
        lists->setSnapshot(editor->editorLists());
    }
}

} // namespace velmora::sets::ui
