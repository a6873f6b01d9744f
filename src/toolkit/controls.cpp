#include "controls.h"

#include "geometry.h"

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QColor>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QScrollBar>

namespace velmora::toolkit {

DesignListBox::DesignListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_editing && selectedRow() >= 0) {
            emit Click();
        }
    });
}

QString DesignListBox::rowText(int row) const
{
    const QListWidgetItem* rowItem = item(row);
    return rowItem != nullptr ? rowItem->text() : QString();
}

int DesignListBox::selectedRow() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void DesignListBox::insertRow(int row, const QString& text)
{
    m_editing = true;
    insertItem(row, text);
    item(row)->setToolTip(text);
    m_editing = false;
}

void DesignListBox::replaceRow(int row, const QString& text)
{
    m_editing = true;
    delete takeItem(row);
    insertItem(row, text);
    item(row)->setToolTip(text);
    // Qt moves the selection to a neighbour of a removed row; the design leaves none.
    clearSelection();
    setCurrentRow(-1);
    m_editing = false;
}

void DesignListBox::clearRows()
{
    m_editing = true;
    clear();
    m_editing = false;
}

DesignComboBox::DesignComboBox(QWidget* parent) : QComboBox(parent) {}

void DesignComboBox::removeItemAt(int index)
{
    const bool wasSelected = index == currentIndex();
    removeItem(index);
    // Qt selects a neighbour of a removed current item; the design selects nothing.
    if (wasSelected) {
        setCurrentIndex(-1);
    }
}

void DesignComboBox::showPopup()
{
    emit DropDown();
    QComboBox::showPopup();
}

DesignTextBox::DesignTextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &DesignTextBox::Change);
}

void DesignTextBox::setDigitsOnlyTyping(bool digitsOnly)
{
    if (!digitsOnly) {
        setValidator(nullptr);
        return;
    }
    // setText bypasses the validator; the blanks allowed in front keep the program's own
    // text (" 96") editable.
    static const QRegularExpression digits(QStringLiteral("^ *[0-9]*$"));
    setValidator(new QRegularExpressionValidator(digits, this));
}

DesignStatusBar::DesignStatusBar(QWidget* parent) : QFrame(parent) {}

void DesignStatusBar::addPanel(int widthTwips, const QString& text, bool isLabel, double dpi)
{
    auto* panel = new QLabel(text, this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(m_panels.size() + 1));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (isLabel) {
        panel->setToolTip(text);
    }
    m_panels.append(panel);
    m_designWidths.append(twipsToPixels(widthTwips, dpi));
    m_isLabel.append(isLabel);
    placePanels();
}

QString DesignStatusBar::panelText(int panel) const
{
    return m_panels.value(panel - 1) != nullptr ? m_panels.value(panel - 1)->text() : QString();
}

void DesignStatusBar::setPanelText(int panel, const QString& text)
{
    if (QLabel* label = m_panels.value(panel - 1)) {
        label->setText(text);
        placePanels();
    }
}

void DesignStatusBar::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    placePanels();
}

void DesignStatusBar::placePanels()
{
    QList<int> needed;
    QList<int> widths;
    int total = 0;
    for (qsizetype i = 0; i < m_panels.size(); ++i) {
        needed.append(m_panels[i]->sizeHint().width() + 2);
        widths.append(std::max(m_designWidths[i], needed[i]));
        total += widths[i];
    }
    // What passes the edge comes first from room beyond a panel's text, then from the labels,
    // whose text is also their tooltip, and only then from the values.
    int over = total - width();
    const auto takeFrom = [&](auto floor) {
        for (qsizetype i = 0; i < widths.size() && over > 0 && width() > 0; ++i) {
            const int take = std::clamp(widths[i] - floor(i), 0, over);
            widths[i] -= take;
            over -= take;
        }
    };
    takeFrom([&](qsizetype i) { return needed[i]; });
    takeFrom([&](qsizetype i) { return m_isLabel[i] ? 2 : needed[i]; });
    takeFrom([](qsizetype) { return 2; });
    int left = 0;
    for (qsizetype i = 0; i < m_panels.size(); ++i) {
        // Panels are inset by two pixels from the bar and from each other.
        m_panels[i]->setGeometry(left + 2, 2, widths[i] - 2, height() - 4);
        left += widths[i];
    }
}

void scrollTogether(DesignListBox* a, DesignListBox* b)
{
    const auto follow = [](DesignListBox* from, DesignListBox* to) {
        QScrollBar* source = from->verticalScrollBar();
        QScrollBar* target = to->verticalScrollBar();
        // A follower that cannot go as far sends its own value back, so both settle on it.
        QObject::connect(source, &QScrollBar::valueChanged, target, &QScrollBar::setValue);
        QObject::connect(source, &QScrollBar::rangeChanged, target,
                         [source, target] { target->setValue(source->value()); });
    };
    follow(a, b);
    follow(b, a);
}

void fitRows(std::initializer_list<DesignListBox*> lists, int rows)
{
    constexpr int kSmallestPixelSize = 6;
    for (DesignListBox* list : lists) {
        // A horizontal bar would take a row's room: a text too long is cut short instead, and
        // its row's tooltip shows it whole.
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setTextElideMode(Qt::ElideRight);
        const int room = list->height() - 2 * list->frameWidth();
        const bool empty = list->rowCount() == 0;
        if (empty) {
            list->addRow(QStringLiteral("Xg")); // a row to measure
        }
        QFont font = list->font();
        int pixelSize = QFontInfo(font).pixelSize();
        while (rows * list->sizeHintForRow(0) > room && pixelSize > kSmallestPixelSize) {
            font.setPixelSize(--pixelSize);
            list->setFont(font);
        }
        if (empty) {
            list->clearRows();
        }
    }
}

namespace {

class RowPin final : public QObject {
public:
    RowPin(QWidget* box, DesignListBox* list, int row)
        : QObject(box), m_box(box), m_list(list), m_row(row)
    {
        box->installEventFilter(this);
        list->installEventFilter(this);
        connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, &RowPin::place);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((watched == m_box && type == QEvent::Show) ||
            (watched == m_list && (type == QEvent::Resize || type == QEvent::Move))) {
            place();
        }
        return false;
    }

private:
    void place()
    {
        const QListWidgetItem* item = m_list->item(m_row);
        if (item == nullptr) {
            return;
        }
        QWidget* viewport = m_list->viewport();
        const QPoint origin = viewport->mapTo(m_box->parentWidget(), QPoint());
        const QRect row = m_list->visualItemRect(item).translated(origin);
        QRect box = m_box->geometry();
        box.moveTop(row.center().y() - box.height() / 2);
        m_box->setGeometry(box);
        // What lies outside the visible rows is cut; an empty mask would show the whole box,
        // so a box wholly out of sight keeps a mask beside it.
        const QRect shown = QRect(origin, viewport->size()).intersected(box);
        m_box->setMask(shown.isEmpty() ? QRegion(-1, -1, 1, 1)
                                       : QRegion(shown.translated(-box.topLeft())));
    }

    QWidget* m_box;
    DesignListBox* m_list;
    int m_row;
};

} // namespace

void pinToRow(QWidget* box, DesignListBox* list, int row)
{
    new RowPin(box, list, row);
}

namespace {

// Sees the keys that no control of the window took, as they pass up to the window itself.
class KeyPresser : public QObject {
public:
    KeyPresser(QWidget* window, int key, QAbstractButton* button)
        : QObject(window), m_key(key), m_button(button)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != m_key ||
            !m_button->isEnabled()) {
            return QObject::eventFilter(watched, event);
        }
        m_button->click();
        return true;
    }

private:
    int m_key;
    QAbstractButton* m_button;
};

} // namespace

void pressOnKey(QWidget* window, int key, QAbstractButton* button)
{
    new KeyPresser(window, key, button);
}

void deselectOptions(std::initializer_list<QRadioButton*> options)
{
    // An auto-exclusive button refuses to be cleared while it is the checked one, and
    // setChecked emits toggled only, never clicked.
    for (QRadioButton* option : options) {
        const QSignalBlocker blocker(option);
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void setBackgroundColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void useInputColor(std::initializer_list<QWidget*> inputs)
{
    const QColor input(255, 224, 192);
    for (QWidget* widget : inputs) {
        QPalette palette = widget->palette();
        // A drop-down list paints its closed box with the button colour.
        palette.setColor(QPalette::Base, input);
        palette.setColor(QPalette::Button, input);
        widget->setPalette(palette);
    }
}

namespace {

QWidget* makeControl(const ControlDesign& design, QWidget* parent)
{
    const QString caption = QString::fromUtf8(design.caption != nullptr ? design.caption : "");
    switch (design.kind) {
    case ControlKind::Frame:
        return new QGroupBox(caption, parent);
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::CommandButton:
        return new QPushButton(caption, parent);
    case ControlKind::OptionButton:
        return new QRadioButton(caption, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::TextBox: {
        auto* box = new DesignTextBox(parent);
        box->setText(caption);
        return box;
    }
    case ControlKind::ListBox:
        return new DesignListBox(parent);
    case ControlKind::DropDownList:
        return new DesignComboBox(parent);
    case ControlKind::PictureBox:
        return new QLabel(parent);
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        return bar;
    }
    }
    return new QWidget(parent);
}

// The design's buttons were sized for a narrower font, whose buttons wrapped a long caption;
// here a caption that does not fit widens its button about its centre, within its container.
QRect widenToCaption(QRect rect, int captionWidth, int containerWidth)
{
    if (captionWidth <= rect.width()) {
        return rect;
    }
    const int width = std::min(captionWidth, containerWidth);
    const int left = std::clamp(rect.center().x() - width / 2, 0, containerWidth - width);
    return {left, rect.top(), width, rect.height()};
}

} // namespace

ControlSet createControls(QWidget* clientArea, std::span<const ControlDesign> designs, double dpi)
{
    ControlSet set;
    for (const ControlDesign& design : designs) {
        QWidget* parent = design.container != nullptr
                              ? set.widget(QString::fromUtf8(design.container))
                              : clientArea;
        Q_ASSERT_X(parent != nullptr, "createControls", "container must come first");
        QWidget* control = makeControl(design, parent);
        control->setObjectName(QString::fromUtf8(design.name));
        QRect rect = twipsRect(design.left, design.top, design.width, design.height, dpi);
        if (design.height == 0) {
            rect.setHeight(control->sizeHint().height());
        }
        if (design.kind == ControlKind::CommandButton) {
            rect = widenToCaption(rect, control->sizeHint().width(), parent->width());
        }
        control->setGeometry(rect);
        set.m_widgets.insert(control->objectName(), control);
    }

    std::vector<const ControlDesign*> ordered;
    for (const ControlDesign& design : designs) {
        if (design.tabIndex >= 0) {
            ordered.push_back(&design);
        }
    }
    std::sort(ordered.begin(), ordered.end(), [](const ControlDesign* a, const ControlDesign* b) {
        return a->tabIndex < b->tabIndex;
    });
    QWidget* previous = nullptr;
    for (const ControlDesign* design : ordered) {
        QWidget* control = set.widget(QString::fromUtf8(design->name));
        if (control->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
    return set;
}

} // namespace velmora::toolkit
