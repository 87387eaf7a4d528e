#include "QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDatabase>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace {
// Read only: no Delete, Rename or New Folder in the dialog, so nobody removes
// the datafile, the log or a backup from a locked till. Qt's own dialog, as the
// desktop's dialogs offer to delete files whatever they are told.
constexpr QFileDialog::Options FileDialogOptions =
    QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog;

// Whether the print system takes jobs for the queue now. A paused queue still
// takes them and prints them later; one that rejects them does not.
bool queueTakesJobs(const QString &queue)
{
    // Qt names an instance of a queue "queue/instance".
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = queue.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return false;
    const char *accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool takes = !accepting || qstrcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    return takes;
}
} // namespace

QtDialogs::QtDialogs() = default;
QtDialogs::~QtDialogs() = default;

Dialogs::Answer QtDialogs::message(QWidget *parent, Icon icon, const QString &title,
                                   const QString &text, Buttons buttons)
{
    QMessageBox box(parent);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setWindowTitle(title);
    box.setText(text);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (buttons == Buttons::YesNo)
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

std::optional<QString> QtDialogs::inputBox(QWidget *parent, const QString &title,
                                           const QString &prompt, const QString &defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogs::openFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QObject::tr("Open"), QString(), filter, nullptr,
                                        FileDialogOptions);
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &filter)
{
    // The caller asks its own overwrite question.
    return QFileDialog::getSaveFileName(parent, QObject::tr("Save As"), QString(), filter, nullptr,
                                        FileDialogOptions | QFileDialog::DontConfirmOverwrite);
}

QPrinter &QtDialogs::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool QtDialogs::printerSetup(QWidget *parent)
{
    QPrintDialog dialog(&printer(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::printLines(const QStringList &lines)
{
    QPrinter &target = printer();
    if (target.outputFormat() != QPrinter::NativeFormat)
        return printLinesOn(target, lines);
    // With no printer on the system there is nobody to wait for: say so at
    // once rather than hand the bill to nowhere.
    if (target.printerName().isEmpty() || !target.isValid()) {
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        if (fallback.isNull())
            return false;
        target.setPrinterName(fallback.printerName());
    }
    // Qt hands the finished document to CUPS without telling whether CUPS
    // took it: a queue that rejects jobs is asked first, and CUPS keeps the
    // answer to the last request made on this thread, the job's.
    if (!queueTakesJobs(target.printerName()) || !printLinesOn(target, lines))
        return false;
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        qWarning("The print system refused the bill: %s", cupsLastErrorString());
        return false;
    }
    return true;
}

bool QtDialogs::printLinesOn(QPrinter &printer, const QStringList &lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int lineHeight = painter.fontMetrics().lineSpacing();
    int y = lineHeight;
    for (const QString &line : lines) {
        if (y > page.height()) {
            if (!printer.newPage())
                return false;
            y = lineHeight;
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    return painter.end();
}

bool QtDialogs::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
