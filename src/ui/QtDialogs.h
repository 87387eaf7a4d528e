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
    bool printLines(const QStringList &lines) override;

    // One text line per printed line in the printer's fixed font, a new page
    // when one is full; false when the printer cannot take the document.
    static bool printLinesOn(QPrinter &printer, const QStringList &lines);
    bool openUrl(const QUrl &url) override;

private:
    QPrinter &printer();
    std::unique_ptr<QPrinter> m_printer; // keeps the choice made in printer setup
};
