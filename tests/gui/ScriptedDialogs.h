#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QUrl>
#include <QVariant>

// Answers every box from a queue the test fills and records what was shown.
// A question with no queued answer is answered No and counted, so a test sees
// a question it did not expect.
class ScriptedDialogs : public Dialogs
{
public:
    struct Box {
        QString kind; // "message", "input", "open", "save", "printerSetup"
        Icon icon = Icon::None;
        QString title;
        QString text;
        Buttons buttons = Buttons::Ok;
    };

    // Queue answers in the order the boxes will appear.
    void answerYes() { m_answers.enqueue(QVariant::fromValue(int(Answer::Yes))); }
    void answerNo() { m_answers.enqueue(QVariant::fromValue(int(Answer::No))); }
    void answerText(const QString &text) { m_answers.enqueue(text); }
    void answerCancel() { m_answers.enqueue(QVariant()); }
    void answerFile(const QString &path) { answerText(path); }

    // Called after each message box has been answered, with the box; lets a
    // test look at the windows while a box is up.
    std::function<void(const Box &)> onMessage;

    QList<Box> boxes;
    QList<QStringList> printed;
    QStringList printJobs; // each printed document's name
    QList<TillSettings::Drawer> drawerOpened;
    QList<QUrl> opened;
    int unanswered = 0;
    bool printerSetupAccepted = true;
    bool printSucceeds = true;
    bool drawerOpens = true;
    bool openUrlSucceeds = true;

    // The boxes of kind "message" only.
    QList<Box> messages() const;
    const Box &lastMessage() const;
    // True when the last message box had this icon, title and text; otherwise
    // prints what was shown instead, for the failing test's log.
    bool lastMessageWas(Icon icon, const QString &title, const QString &text) const;
    // The refusal of a cashier without the privilege: "You do not have
    // permission to <action>. …the option '<option>' be turned on…".
    static QString accessDenial(const QString &action, const QString &option);
    bool accessDeniedWas(const QString &action, const QString &option) const;
    int pendingAnswers() const { return int(m_answers.size()); }
    void clear();

    Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                   Buttons buttons) override;
    std::optional<QString> inputBox(QWidget *parent, const QString &title, const QString &prompt,
                                    const QString &defaultText) override;
    QString openFileName(QWidget *parent, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &filter) override;
    bool printerSetup(QWidget *parent) override;
    bool printLines(const QStringList &lines, const QString &jobName) override;
    bool openDrawer(const TillSettings &till) override;
    bool openUrl(const QUrl &url) override;

private:
    std::optional<QVariant> take();
    QQueue<QVariant> m_answers;
};
