#include "QtDialogs.h"

#include "BillLayout.h"

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
#include <QProcess>
#include <QScopeGuard>

#include <cups/cups.h>

#include <cmath>

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

// Bytes sent to the queue as they are, bypassing its driver: the receipt
// printer passes them on to the drawer.
bool sendRaw(const QString &queue, const QString &jobName, const QByteArray &bytes)
{
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), jobName.toUtf8().constData(),
                                  0, nullptr);
    if (job <= 0)
        return false;
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, "pulse", CUPS_FORMAT_RAW, 1)
            != HTTP_STATUS_CONTINUE
        || cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.constData(), size_t(bytes.size()))
               != HTTP_STATUS_CONTINUE) {
        cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData());
        cupsCancelJob(name.constData(), job);
        return false;
    }
    return cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// The drawer's own command, which must end well within half a minute.
bool runCommand(const QString &command)
{
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty())
        return false;
    QProcess process;
    process.start(words.takeFirst(), words);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// On a roll the paper is as long as the lines, margins included, and a line
// to spare for the rounding of the printer's line height.
QPageLayout rollLayout(const QPageLayout &layout, int lines, qreal lineHeightPoints)
{
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    const QSizeF page = layout.pageSize().size(QPageSize::Point);
    const qreal height = margins.top() + margins.bottom() + (lines + 2) * lineHeightPoints;
    QPageLayout roll = layout;
    roll.setOrientation(QPageLayout::Portrait);
    roll.setPageSize(
        QPageSize(QSizeF(page.width(), height), QPageSize::Point, QString(), QPageSize::ExactMatch),
        margins);
    return roll;
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
    if (m_printer)
        return *m_printer;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const TillSettings till = TillSettings::load();
    if (!till.printer.isEmpty() && !QPrinterInfo::printerInfo(till.printer).isNull())
        m_printer->setPrinterName(till.printer);
    // Qt starts every printer on its own default paper (A4 or Letter), not on
    // the queue's: a receipt printer's roll would never be used.
    const QPageSize paper = till.paper && till.printer == m_printer->printerName()
                                ? QPageSize(till.paper->millimetres, QPageSize::Millimeter,
                                            till.paper->name, QPageSize::FuzzyMatch)
                                : QPrinterInfo(*m_printer).defaultPageSize();
    if (paper.isValid())
        m_printer->setPageSize(paper);
    return *m_printer;
}

bool QtDialogs::printerSetup(QWidget *parent)
{
    QPrintDialog dialog(&printer(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    TillSettings till = TillSettings::load();
    till.printer = m_printer->printerName();
    const QPageSize paper = m_printer->pageLayout().pageSize();
    till.paper = TillSettings::Paper{paper.name(), paper.size(QPageSize::Millimeter)};
    till.save();
    return true;
}

QString QtDialogs::readyQueue()
{
    QPrinter &target = printer();
    // With no printer on the system there is nobody to wait for: say so at
    // once rather than hand the bill to nowhere.
    if (target.printerName().isEmpty() || !target.isValid()) {
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        if (fallback.isNull())
            return QString();
        target.setPrinterName(fallback.printerName());
        target.setPageSize(fallback.defaultPageSize());
    }
    return queueTakesJobs(target.printerName()) ? target.printerName() : QString();
}

bool QtDialogs::printLines(const QStringList &lines, const QString &jobName)
{
    QPrinter &target = printer();
    target.setDocName(jobName);
    if (target.outputFormat() != QPrinter::NativeFormat)
        return printLinesOn(target, lines);
    // Qt hands the finished document to CUPS without telling whether CUPS
    // took it: a queue that rejects jobs is asked first, and CUPS keeps the
    // answer to the last request made on this thread, the job's.
    if (readyQueue().isEmpty() || !printLinesOn(target, lines))
        return false;
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        qWarning("The print system refused the bill: %s", cupsLastErrorString());
        return false;
    }
    return true;
}

bool QtDialogs::openDrawer(const TillSettings &till)
{
    switch (till.drawer) {
    case TillSettings::Drawer::None:
        return true;
    case TillSettings::Drawer::Command:
        return runCommand(till.drawerCommand);
    case TillSettings::Drawer::Pulse:
        break;
    }
    const QString queue = readyQueue();
    return !queue.isEmpty()
           && sendRaw(queue, QStringLiteral("Tallybird cash drawer"), TillSettings::drawerPulse());
}

bool QtDialogs::printLinesOn(QPrinter &printer, const QStringList &lines)
{
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetricsF metrics(font, &printer);
    const QPageLayout paper = printer.pageLayout();
    const qreal width = paper.paintRectPixels(printer.resolution()).width();
    const QStringList laid =
        BillLayout::fit(lines, int(width / metrics.horizontalAdvance(QLatin1Char('0'))));
    const bool roll = TillSettings::isRoll(paper.fullRect(QPageLayout::Millimeter).size());
    if (roll
        && !printer.setPageLayout(rollLayout(
            paper, int(laid.size()), std::ceil(metrics.lineSpacing()) * 72 / printer.resolution())))
        return false;
    // The kept paper is the roll's own, whatever length this bill needed.
    const auto restore = qScopeGuard([&] {
        if (roll)
            printer.setPageLayout(paper);
    });

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(font);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int lineHeight = painter.fontMetrics().lineSpacing();
    int y = lineHeight;
    for (const QString &line : laid) {
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
