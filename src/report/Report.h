#pragma once

#include "ReportContent.h"

#include <QDateTime>
#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class Report;
}
class Dialogs;

// The report window: one query's lines, or two queries' lines and the names
// they combine to, each under its sentence; "&Save" writes it all to a text file.
class Report : public QDialog
{
    Q_OBJECT

public:
    Report(ReportContent content, Dialogs &dialogs, QWidget *parent = nullptr);
    ~Report() override;

    // "&Save": asks for a file and writes the report to it.
    void save();

    const ReportContent &content() const { return m_content; }
    // Where "Saved on:" takes its date and time from.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

private:
    std::unique_ptr<Ui::Report> ui;
    ReportContent m_content;
    Dialogs &m_dialogs;
    std::function<QDateTime()> m_now = [] { return QDateTime::currentDateTime(); };
};
