#pragma once

// Test doubles for the dialog service and the document opener. ScriptedDialogs answers from a
// queue of expected boxes; a box that nobody scripted, or one that differs from the next
// expected box, is recorded as an error for the test's cleanup.

#include "toolkit/dialogs.h"
#include "toolkit/documentopener.h"

#include <deque>
#include <functional>
#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::toolkit {

struct ShownDialog {
    enum class Kind { Message, Input };
    Kind kind = Kind::Message;
    QString text;  // the message, or the input box's prompt
    QString title; // as shown: "Velmora" when the caller gave none
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;

    bool operator==(const ShownDialog&) const = default;
    QString describe() const;
};

class ScriptedDialogs final : public DialogService {
public:
    // Runs while the box is "open", e.g. to check what is on screen behind it.
    using WhileShown = std::function<void()>;

    // The next box must be this message box; it is answered with `answer`.
    void expectMessage(const QString& text, const QString& title, MessageIcon icon,
                       MessageButtons buttons, MessageAnswer answer = MessageAnswer::Ok,
                       WhileShown whileShown = {});

    // The next box must be this input box; it returns `answer` (empty text: cancelled).
    void expectInput(const QString& prompt, const QString& title, const QString& answer,
                     WhileShown whileShown = {});

    MessageAnswer messageBox(const QString& text, const QString& title, MessageIcon icon,
                             MessageButtons buttons) override;
    QString inputBox(const QString& prompt, const QString& title) override;

    // True when every scripted box was shown as scripted and no other box appeared; otherwise
    // false, with the reasons in `why`.
    bool expectEmpty(QString* why = nullptr) const;

    // Every box shown, in order.
    const QList<ShownDialog>& shown() const { return m_shown; }
    // Forgets the script, the record and the errors.
    void reset();

private:
    struct Expected {
        ShownDialog dialog;
        MessageAnswer answer = MessageAnswer::Ok;
        QString input;
        WhileShown whileShown;
    };

    // The scripted entry for `dialog`, after running its WhileShown; nullopt when unscripted.
    std::optional<Expected> take(const ShownDialog& dialog);

    std::deque<Expected> m_script;
    QList<ShownDialog> m_shown;
    QStringList m_errors;
};

// Records the documents asked for; opens a document when the file exists.
class FakeDocumentOpener final : public DocumentOpener {
public:
    bool open(const QString& path) override;

    QStringList opened; // every path asked for
};

} // namespace velmora::toolkit
