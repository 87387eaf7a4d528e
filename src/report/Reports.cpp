#include "Reports.h"

#include "Report.h"

namespace {
void openBuilder(ReportKind kind, const QString &datafilePath, Dialogs &dialogs, QWidget *parent,
                 const ReportStatus &status)
{
    ReportContent content;
    {
        ReportBuild builder(kind, datafilePath, dialogs, parent);
        builder.setStatus(status);
        if (builder.exec() != QDialog::Accepted)
            return;
        content = builder.takeReport();
    }
    Report report(std::move(content), dialogs, parent);
    report.exec();
}
} // namespace

void openItemReportBuilder(const QString &datafilePath, Dialogs &dialogs, QWidget *parent,
                           const ReportStatus &status)
{
    openBuilder(ReportKind::Item, datafilePath, dialogs, parent, status);
}

void openCreditReportBuilder(const QString &datafilePath, Dialogs &dialogs, QWidget *parent,
                             const ReportStatus &status)
{
    openBuilder(ReportKind::Credit, datafilePath, dialogs, parent, status);
}

void openCashierReportBuilder(const QString &datafilePath, Dialogs &dialogs, QWidget *parent,
                              const ReportStatus &status)
{
    openBuilder(ReportKind::Cashier, datafilePath, dialogs, parent, status);
}
