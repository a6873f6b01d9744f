#include "scripteddialogs.h"

#include <QFileInfo>

namespace velmora::toolkit {

namespace {

QString iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QStringLiteral("critical");
    case MessageIcon::Warning:
        return QStringLiteral("warning");
    case MessageIcon::Information:
        return QStringLiteral("information");
    case MessageIcon::Question:
        return QStringLiteral("question");
    }
    return QString();
}

} // namespace

QString ShownDialog::describe() const
{
    if (kind == Kind::Input) {
        return QStringLiteral("input box \"%1\" titled \"%2\"").arg(text, title);
    }
    return QStringLiteral("message \"%1\" titled \"%2\", %3 icon, %4")
        .arg(text, title, iconName(icon),
             buttons == MessageButtons::Ok ? QStringLiteral("OK") : QStringLiteral("Yes/No"));
}

void ScriptedDialogs::expectMessage(const QString& text, const QString& title, MessageIcon icon,
                                    MessageButtons buttons, MessageAnswer answer,
                                    WhileShown whileShown)
{
    ShownDialog dialog{ShownDialog::Kind::Message, text, effectiveTitle(title), icon, buttons};
    m_script.push_back({dialog, answer, QString(), std::move(whileShown)});
}

void ScriptedDialogs::expectInput(const QString& prompt, const QString& title,
                                  const QString& answer, WhileShown whileShown)
{
    ShownDialog dialog{ShownDialog::Kind::Input, prompt, effectiveTitle(title),
                       MessageIcon::Question, MessageButtons::Ok};
    m_script.push_back({dialog, MessageAnswer::Ok, answer, std::move(whileShown)});
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(const ShownDialog& dialog)
{
    m_shown.append(dialog);
    if (m_script.empty()) {
        m_errors.append(QStringLiteral("unscripted ") + dialog.describe());
        return std::nullopt;
    }
    Expected current = std::move(m_script.front());
    m_script.pop_front();
    if (!(current.dialog == dialog)) {
        m_errors.append(QStringLiteral("expected ") + current.dialog.describe() +
                        QStringLiteral(" but got ") + dialog.describe());
    }
    if (current.whileShown) {
        current.whileShown();
    }
    return current;
}

MessageAnswer ScriptedDialogs::messageBox(const QString& text, const QString& title,
                                          MessageIcon icon, MessageButtons buttons)
{
    const std::optional<Expected> expected =
        take({ShownDialog::Kind::Message, text, effectiveTitle(title), icon, buttons});
    if (!expected) {
        // The safe answer: decline whatever was asked.
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return expected->answer == MessageAnswer::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title)
{
    const std::optional<Expected> expected =
        take({ShownDialog::Kind::Input, prompt, effectiveTitle(title), MessageIcon::Question,
              MessageButtons::Ok});
    return expected ? expected->input : QString();
}

void ScriptedDialogs::reset()
{
    m_script.clear();
    m_shown.clear();
    m_errors.clear();
}

bool ScriptedDialogs::expectEmpty(QString* why) const
{
    QStringList problems = m_errors;
    for (const Expected& left : m_script) {
        problems.append(QStringLiteral("never shown: ") + left.dialog.describe());
    }
    if (why != nullptr) {
        *why = problems.join(QLatin1Char('\n'));
    }
    return problems.isEmpty();
}

bool FakeDocumentOpener::open(const QString& path)
{
    opened.append(path);
    return QFileInfo(path).isFile();
}

} // namespace velmora::toolkit
