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
    return QFileDialog::getOpenFileName(parent, QObject::tr("Open"), QString(), filter);
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &filter)
{
    // The caller asks its own overwrite question.
    return QFileDialog::getSaveFileName(parent, QObject::tr("Save As"), QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
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
    // With no printer on the system there is nobody to wait for: say so at
    // once rather than hand the bill to nowhere.
    if (target.outputFormat() == QPrinter::NativeFormat
        && (target.printerName().isEmpty() || !target.isValid())) {
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        if (fallback.isNull())
            return false;
        target.setPrinterName(fallback.printerName());
    }
    return printLinesOn(target, lines);
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
