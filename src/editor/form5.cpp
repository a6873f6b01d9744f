#include "editor/form5.h"

#include "toolkit/geometry.h"
#include "toolkit/windowregistry.h"
#include "toolkit/windowtext.h"

#include <array>

namespace velmora::editor {
namespace {

using toolkit::ControlKind;

constexpr std::array<toolkit::ControlDesign, 6> kControls = {{
    {"List1", ControlKind::ListBox, nullptr, 0, 0, 1812, 4080, nullptr, 0},
    {"List2", ControlKind::ListBox, nullptr, 1680, 0, 1212, 4080, nullptr, 1},
    {"List4", ControlKind::ListBox, nullptr, 2880, 0, 2292, 4080, nullptr, 2},
    {"List3", ControlKind::ListBox, nullptr, 5160, 0, 1332, 4080, nullptr, 3},
    {"List5", ControlKind::ListBox, nullptr, 5160, 0, 1332, 4080, nullptr, 4},
    {"Text1", ControlKind::TextBox, nullptr, 0, 4200, 1332, 288, "Text1", 5},
}};

void fill(toolkit::DesignListBox* list, const std::vector<std::string>& rows)
{
    list->clearRows();
    for (const std::string& row : rows) {
        list->addRow(toolkit::fromCp1252(row));
    }
}

} // namespace

Form5::Form5(toolkit::WindowRegistry& registry) : VelmoraWindow(registry)
{
    createControls();
}

void Form5::createControls()
{
    setWindowTitle(QStringLiteral("Form5"));
    auto* client = new QWidget(this);
    setCentralWidget(client);
    const double dpi = twipsDpi();
    const toolkit::ControlSet controls = toolkit::createControls(client, kControls, dpi);
    List1 = controls.get<toolkit::DesignListBox>(QStringLiteral("List1"));
    List2 = controls.get<toolkit::DesignListBox>(QStringLiteral("List2"));
    List3 = controls.get<toolkit::DesignListBox>(QStringLiteral("List3"));
    List4 = controls.get<toolkit::DesignListBox>(QStringLiteral("List4"));
    List5 = controls.get<toolkit::DesignListBox>(QStringLiteral("List5"));
    resize(toolkit::twipsToPixels(6516, dpi), toolkit::twipsToPixels(4152, dpi));
}

void Form5::setSnapshot(const sets::EditorLists& lists)
{
    fill(List1, lists.names);
    fill(List2, lists.values);
}

void Form5::setChanges(const std::vector<sets::Change>& changes)
{
    List4->clearRows();
    List3->clearRows();
    List5->clearRows();
    for (const sets::Change& change : changes) {
        List3->addRow(toolkit::fromCp1252(change.newValue));
        List5->addRow(toolkit::fromCp1252(change.oldValue));
        List4->addRow(toolkit::fromCp1252(change.name));
    }
}

void Form5::Form_Unload(bool& cancel)
{
    // The snapshot must outlive a close: the window is only hidden.
    registry().setVisible(designName(), false);
    cancel = true;
}

} // namespace velmora::editor
