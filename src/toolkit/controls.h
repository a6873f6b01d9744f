#pragma once

// Controls with the design's behaviour, and the table that creates a window's controls from
// their design values. Qt differs from the design in a few places; each is mended here once:
// a replaced list row leaves no row selected, removing a drop-down list's selected item leaves
// no item selected, a text box's Change runs on every change (typed or set by the program), a
// drop-down list's DropDown runs before its list opens.

#include <initializer_list>
#include <span>

#include <QComboBox>
#include <QFrame>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QString>

class QColor;
class QLabel;
class QAbstractButton;
class QRadioButton;

namespace velmora::toolkit {

class DesignListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DesignListBox(QWidget* parent = nullptr);

    int rowCount() const { return count(); }
    QString rowText(int row) const;
    int selectedRow() const; // -1 when no row is selected

    // Inserts at `row` (row == rowCount() appends).
    void insertRow(int row, const QString& text);
    void addRow(const QString& text) { insertRow(rowCount(), text); }
    // Removes the row and inserts `text` at the same index; no row is selected afterwards.
    void replaceRow(int row, const QString& text);
    void clearRows();

signals:
    // A row was selected, by the mouse, the keyboard or the program.
    void Click();

private:
    bool m_editing = false; // row edits do not count as selections
};

class DesignComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DesignComboBox(QWidget* parent = nullptr);

    // Removes item `index`; when it was the selected one, no item is selected afterwards.
    void removeItemAt(int index);

    void showPopup() override;

signals:
    // The user is opening the list; runs before the list is shown.
    void DropDown();
};

class DesignTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DesignTextBox(QWidget* parent = nullptr);

    // Typing and pasting accept only digits (blanks already in front of them stay); text
    // set by the program is taken as it is.
    void setDigitsOnlyTyping(bool digitsOnly);

signals:
    // The text changed, by typing or by the program.
    void Change();
};

// A status bar of numbered panels (from 1), each a fixed width in twips, placed side by side
// from the left; a panel beyond the bar's right edge is cut there, as the design's bar does.
class DesignStatusBar : public QFrame {
    Q_OBJECT
public:
    explicit DesignStatusBar(QWidget* parent = nullptr);

    // Appends a panel; a label panel carries its text as its tooltip too. A panel widens to
    // fit its text, taking the room from panels wider than their own text, then from labels;
    // no panel passes the bar's edge.
    void addPanel(int widthTwips, const QString& text, bool isLabel, double dpi);
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanels();

    QList<QLabel*> m_panels;
    QList<int> m_designWidths; // pixels
    QList<bool> m_isLabel;
};

// Makes the names list `a` and the values list `b` scroll as one, so that a name always stands
// beside its value: each follows the other's vertical scrolling, by the user or the program,
// enabled or not.
void scrollTogether(DesignListBox* a, DesignListBox* b);

// Shrinks the font of `lists` until `rows` rows fit in each without scrolling (their frames and
// sizes as they are now); a font in which they already fit is kept. Texts too wide are cut
// short at their end, with no horizontal scroll bar.
void fitRows(std::initializer_list<DesignListBox*> lists, int rows);

// Keeps `box` (a sibling of `list`, drawn over it) on row `row` of `list` wherever the list is
// scrolled: centred on the row, its own left, width and height kept, and cut where it leaves
// the list's visible rows.
void pinToRow(QWidget* box, DesignListBox* list, int row);

// Makes `key` (a Qt::Key), pressed in `window` and left unused by its controls, press `button`
// when it is enabled: the Enter and Escape users expect of a dialog, for windows that are not
// QDialogs.
void pressOnKey(QWidget* window, int key, QAbstractButton* button);

// Clears option buttons without running their click handlers.
void deselectOptions(std::initializer_list<QRadioButton*> options);

// Fills the background of `widget`, a window or a container, with `color`.
void setBackgroundColor(QWidget* widget, const QColor& color);

// Gives the boxes the user types into or chooses from (lists, text boxes, drop-down lists) the
// program's one input colour.
void useInputColor(std::initializer_list<QWidget*> inputs);

// ---- the control table -----------------------------------------------------------------

enum class ControlKind {
    Frame,         // QGroupBox, caption as title
    Label,         // QLabel
    CommandButton, // QPushButton
    OptionButton,  // QRadioButton
    CheckBox,      // QCheckBox
    TextBox,       // DesignTextBox, caption as initial text
    ListBox,       // DesignListBox
    DropDownList,  // DesignComboBox; height 0 takes the natural height
    PictureBox,    // QLabel without text
    ProgressBar,   // QProgressBar without text
};

struct ControlDesign {
    const char* name; // design name, becomes the objectName
    ControlKind kind;
    const char* container;        // design name of the frame holding it; nullptr: the client area
    int left, top, width, height; // twips, relative to the container
    const char* caption;
    int tabIndex; // -1: not in the tab order
};

// The controls of one window by design name.
class ControlSet {
public:
    QWidget* widget(const QString& name) const { return m_widgets.value(name); }

    // The control `name` as a `T`; a wrong name or kind is a programming error.
    template <class T> T* get(const QString& name) const
    {
        T* control = qobject_cast<T*>(widget(name));
        Q_ASSERT_X(control != nullptr, "ControlSet::get", qPrintable(name));
        return control;
    }

private:
    friend ControlSet createControls(QWidget*, std::span<const ControlDesign>, double);
    QHash<QString, QWidget*> m_widgets;
};

// Creates every control of `designs` inside `clientArea` (containers before their contents),
// places it from its twips rectangle at `dpi` and chains the focusable ones in tab order.
ControlSet createControls(QWidget* clientArea, std::span<const ControlDesign> designs, double dpi);

} // namespace velmora::toolkit
