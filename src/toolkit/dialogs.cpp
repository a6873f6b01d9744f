#include "dialogs.h"

#include "product.h"
#include "windowtext.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace velmora::toolkit {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString effectiveTitle(const QString& title)
{
    return title.isEmpty() ? QStringLiteral(VELMORA_TITLE) : title;
}

MessageAnswer QtDialogService::messageBox(const QString& text, const QString& title,
                                          MessageIcon icon, MessageButtons buttons)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(qtIcon(icon), effectiveTitle(title), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    const int pressed = box.exec();
    if (!yesNo) {
        return MessageAnswer::Ok;
    }
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtDialogService::inputBox(const QString& prompt, const QString& title)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), effectiveTitle(title),
                                               prompt, QLineEdit::Normal, QString(), &accepted);
    return accepted ? text : QString();
}

void reportWriteFailure(DialogService& dialogs, const std::string& path,
                        const platform::WriteOutcome& outcome)
{
    dialogs.messageBox(writeFailureText(path, outcome), QStringLiteral("Error"),
                       MessageIcon::Critical, MessageButtons::Ok);
}

} // namespace velmora::toolkit
