#pragma once

#include "ReportBuild.h"

#include <QString>

class Dialogs;
class QWidget;

// The Report menu's commands, once the cashier's 'Build Reports' privilege
// has been checked: the builder of the kind, modal, then the report window
// when a report was built. `status` shows "Preparing Report" and "Ready" on
// the main window's status line while a query runs.
void openItemReportBuilder(const QString &datafilePath, Dialogs &dialogs, QWidget *parent,
                           const ReportStatus &status = {});
void openCreditReportBuilder(const QString &datafilePath, Dialogs &dialogs, QWidget *parent,
                             const ReportStatus &status = {});
void openCashierReportBuilder(const QString &datafilePath, Dialogs &dialogs, QWidget *parent,
                              const ReportStatus &status = {});
