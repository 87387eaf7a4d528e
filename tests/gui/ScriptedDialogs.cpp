#include "ScriptedDialogs.h"

#include <QTest>

QList<ScriptedDialogs::Box> ScriptedDialogs::messages() const
{
    QList<Box> result;
    for (const Box &b : boxes)
        if (b.kind == QLatin1String("message"))
            result.append(b);
    return result;
}

const ScriptedDialogs::Box &ScriptedDialogs::lastMessage() const
{
    static const Box none;
    for (auto it = boxes.crbegin(); it != boxes.crend(); ++it)
        if (it->kind == QLatin1String("message"))
            return *it;
    return none;
}

void ScriptedDialogs::clear()
{
    boxes.clear();
    printed.clear();
    printJobs.clear();
    drawerOpened.clear();
    opened.clear();
    m_answers.clear();
    unanswered = 0;
}

std::optional<QVariant> ScriptedDialogs::take()
{
    if (m_answers.isEmpty()) {
        ++unanswered;
        return std::nullopt;
    }
    return m_answers.dequeue();
}

Dialogs::Answer ScriptedDialogs::message(QWidget *, Icon icon, const QString &title,
                                         const QString &text, Buttons buttons)
{
    Box box{QStringLiteral("message"), icon, title, text, buttons};
    boxes.append(box);
    Answer answer = Answer::Ok;
    if (buttons == Buttons::YesNo) {
        const auto queued = take();
        answer = queued && queued->toInt() == int(Answer::Yes) ? Answer::Yes : Answer::No;
    }
    if (onMessage)
        onMessage(box);
    return answer;
}

std::optional<QString> ScriptedDialogs::inputBox(QWidget *, const QString &title,
                                                 const QString &prompt, const QString &)
{
    boxes.append({QStringLiteral("input"), Icon::None, title, prompt, Buttons::Ok});
    const auto queued = take();
    if (!queued || !queued->isValid())
        return std::nullopt;
    return queued->toString();
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &filter)
{
    boxes.append({QStringLiteral("open"), Icon::None, QString(), filter, Buttons::Ok});
    const auto queued = take();
    return queued ? queued->toString() : QString();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &filter)
{
    boxes.append({QStringLiteral("save"), Icon::None, QString(), filter, Buttons::Ok});
    const auto queued = take();
    return queued ? queued->toString() : QString();
}

bool ScriptedDialogs::printerSetup(QWidget *)
{
    boxes.append({QStringLiteral("printerSetup"), Icon::None, QString(), QString(), Buttons::Ok});
    return printerSetupAccepted;
}

bool ScriptedDialogs::printLines(const QStringList &lines, const QString &jobName)
{
    printed.append(lines);
    printJobs.append(jobName);
    return printSucceeds;
}

bool ScriptedDialogs::openDrawer(const TillSettings &till)
{
    drawerOpened.append(till.drawer);
    return drawerOpens;
}

bool ScriptedDialogs::openUrl(const QUrl &url)
{
    opened.append(url);
    return openUrlSucceeds;
}

QString ScriptedDialogs::accessDenial(const QString &action, const QString &option)
{
    return "You do not have permission to " + action
           + ". If you require access, please contact your supervisor and request that the option '"
           + option + "' be turned on for your cashier account.";
}

bool ScriptedDialogs::accessDeniedWas(const QString &action, const QString &option) const
{
    return lastMessageWas(Icon::Critical, QStringLiteral("Access Denied"),
                          accessDenial(action, option));
}

bool ScriptedDialogs::lastMessageWas(Icon icon, const QString &title, const QString &text) const
{
    const QList<Box> shown = messages();
    if (!shown.isEmpty() && shown.last().icon == icon && shown.last().title == title
        && shown.last().text == text)
        return true;
    if (shown.isEmpty())
        qWarning("no message box was shown; expected \"%s\": \"%s\"", qPrintable(title),
                 qPrintable(text));
    else
        qWarning("last message box: icon %d \"%s\": \"%s\"; expected icon %d \"%s\": \"%s\"",
                 int(shown.last().icon), qPrintable(shown.last().title),
                 qPrintable(shown.last().text), int(icon), qPrintable(title), qPrintable(text));
    return false;
}
