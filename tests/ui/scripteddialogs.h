#pragma once

// Test doubles for the dialog service and the document opener. ScriptedDialogs answers from a
// queue of expected boxes; a box that nobody scripted, or one that differs from the next
// expected box, is recorded as an error for the test's cleanup.

#include "toolkit/dialogs.h"
#include "toolkit/documentopener.h"

#include <deque>
#include <functional>

#include <QFileInfo>
#include <QStringList>

namespace velmora::toolkit {

struct ShownDialog {
    bool input = false;  // an input box, whose text is its prompt
    QString text, title; // the title as shown: "Velmora" when the caller gave none
    MessageIcon icon = MessageIcon::Question;
    MessageButtons buttons = MessageButtons::Ok;

    // Names every part of the box, so that two boxes are alike when their descriptions are.
    QString describe() const
    {
        const char* const icons[] = {"critical", "warning", "information", "question"};
        return input ? QStringLiteral("input box \"%1\" titled \"%2\"").arg(text, title)
                     : QStringLiteral("message \"%1\" titled \"%2\", %3 icon, %4")
                           .arg(text, title, QLatin1String(icons[int(icon)]),
                                QLatin1String(buttons == MessageButtons::Ok ? "OK" : "Yes/No"));
    }
};

class ScriptedDialogs final : public DialogService {
public:
    // The next box must be this message box; it is answered with `answer`. `whileShown` runs
    // while the box is "open", e.g. to check what is on screen behind it.
    void expectMessage(const QString& text, const QString& title, MessageIcon icon,
                       MessageButtons buttons, MessageAnswer answer = MessageAnswer::Ok,
                       std::function<void()> whileShown = {})
    {
        m_state.script.push_back(
            {{false, text, effectiveTitle(title), icon, buttons}, answer, {}, whileShown});
    }
    // The next box must be this input box; it returns `answer` (empty text: cancelled).
    void expectInput(const QString& prompt, const QString& title, const QString& answer)
    {
        m_state.script.push_back({{true, prompt, effectiveTitle(title)}, {}, answer, {}});
    }

    // Every caller asks only whether the answer is Yes: an unscripted box answers No.
    MessageAnswer messageBox(const QString& text, const QString& title, MessageIcon icon,
                             MessageButtons buttons) override
    {
        return take({false, text, effectiveTitle(title), icon, buttons}).answer;
    }
    QString inputBox(const QString& prompt, const QString& title) override
    {
        return take({true, prompt, effectiveTitle(title)}).input;
    }

    // True when every scripted box was shown as scripted and no other box appeared; otherwise
    // false, with the reasons in `why`.
    bool expectEmpty(QString* why = nullptr) const
    {
        QStringList problems = m_state.errors;
        for (const Expected& left : m_state.script)
            problems << "never shown: " + left.dialog.describe();
        if (why != nullptr)
            *why = problems.join('\n');
        return problems.isEmpty();
    }
    void reset() { m_state = {}; } // forgets the script and the errors

private:
    struct Expected {
        ShownDialog dialog;
        MessageAnswer answer = MessageAnswer::No; // unscripted: decline whatever was asked
        QString input;
        std::function<void()> whileShown;
    };

    Expected take(const ShownDialog& dialog)
    {
        if (m_state.script.empty()) {
            m_state.errors << "unscripted " + dialog.describe();
            return {};
        }
        Expected next = std::move(m_state.script.front());
        m_state.script.pop_front();
        if (next.dialog.describe() != dialog.describe())
            m_state.errors << "expected " + next.dialog.describe() + " but got " +
                                  dialog.describe();
        if (next.whileShown)
            next.whileShown();
        return next;
    }

    struct {
        std::deque<Expected> script;
        QStringList errors;
    } m_state;
};

// Records the documents asked for; opens a document when the file exists.
class FakeDocumentOpener final : public DocumentOpener {
public:
    bool open(const QString& path) override
    {
        opened << path;
        return QFileInfo(path).isFile();
    }
    QStringList opened; // every path asked for
};

} // namespace velmora::toolkit
