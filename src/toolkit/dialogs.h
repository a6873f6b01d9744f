#pragma once

// Message boxes and input boxes, behind an interface so that tests can script them. Windows
// never create a QMessageBox themselves.

#include "platform/outcome.h"

#include <string>

#include <QString>

namespace velmora::toolkit {

enum class MessageIcon { Critical, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The title a box shows: `title`, or the application title "Velmora" when it is empty.
QString effectiveTitle(const QString& title);

class DialogService {
public:
    virtual ~DialogService() = default;

    // Shows a modal message box and returns the button pressed (No when a Yes/No box is
    // dismissed without an answer).
    virtual MessageAnswer messageBox(const QString& text, const QString& title, MessageIcon icon,
                                     MessageButtons buttons) = 0;

    // Shows a modal input box; the text entered, or empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title) = 0;
};

// The real boxes: QMessageBox and QInputDialog over the application's active window.
class QtDialogService final : public DialogService {
public:
    MessageAnswer messageBox(const QString& text, const QString& title, MessageIcon icon,
                             MessageButtons buttons) override;
    QString inputBox(const QString& prompt, const QString& title) override;
};

// The critical box of writeFailureText that every window shows for a write of `path` that
// failed or was refused.
void reportWriteFailure(DialogService& dialogs, const std::string& path,
                        const platform::WriteOutcome& outcome);

} // namespace velmora::toolkit
