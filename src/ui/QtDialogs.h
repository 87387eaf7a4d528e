#pragma once

#include "Dialogs.h"

#include <memory>

class QPrinter;

// The real dialogs: QMessageBox, QInputDialog, QFileDialog, QPrintDialog and
// QDesktopServices.
class QtDialogs : public Dialogs
{
public:
    QtDialogs();
    ~QtDialogs() override;

    Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                   Buttons buttons) override;
    std::optional<QString> inputBox(QWidget *parent, const QString &title, const QString &prompt,
                                    const QString &defaultText) override;
    QString openFileName(QWidget *parent, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &filter) override;
    bool printerSetup(QWidget *parent) override;
    bool printLines(const QStringList &lines, const QString &jobName) override;
    bool openDrawer(const TillSettings &till) override;

    // The lines laid out for the paper's width in the printer's fixed font,
    // one printed line each, a new page when one is full; on a roll, one page
    // as long as the lines. False when the printer cannot take the document.
    static bool printLinesOn(QPrinter &printer, const QStringList &lines);
    bool openUrl(const QUrl &url) override;

private:
    // The printer of the last setup on this till, or the default queue with
    // its own default paper.
    QPrinter &printer();
    // The printer's queue when it takes jobs now; "" when there is none.
    QString readyQueue();
    std::unique_ptr<QPrinter> m_printer;
};
