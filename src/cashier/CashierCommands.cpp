#include "CashierCommands.h"

#include "Access.h"
#include "Cashier.h"
#include "LogOn.h"
#include "datafile/CashierStore.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindowAccess.h"

namespace CashierCommands {

namespace {

struct ResetText {
    GuardedCommand guard;
    QString title;
    QString question;
    QString success;
};

ResetText resetText(Reset reset)
{
    switch (reset) {
    case Reset::SalesPerformed:
        return {GuardedCommand::ResetCashierData,
                QStringLiteral("Reset Cashier Sales Performed Data"),
                QStringLiteral("Are you sure you wish to reset cashier sales performed data?"),
                QStringLiteral("Cashier Sales Performed Data Reset.")};
    case Reset::AmountSold:
        return {GuardedCommand::ResetCashierData, QStringLiteral("Reset Cashier Amount Sold Data"),
                QStringLiteral("Are you sure you wish to reset cashier amount data?"),
                QStringLiteral("Amount Sold Data Reset.")};
    case Reset::TimeLoggedOn:
        return {GuardedCommand::ResetCashierData,
                QStringLiteral("Reset Cashier Time Logged On Data"),
                QStringLiteral("Are you sure you wish to reset cashier time logged on data?"),
                QStringLiteral("Cashier Time Logged On Data Reset.")};
    case Reset::Visits:
        return {GuardedCommand::ResetVisits, QStringLiteral("Reset Credit Number of Visits"),
                QStringLiteral("Are you sure you wish to reset credit number of visits data?"),
                QStringLiteral("Credit Number of Visits Data Reset.")};
    case Reset::ItemsSold:
        break;
    }
    return {GuardedCommand::ResetItemsSold, QStringLiteral("Reset Item Sold Data"),
            QStringLiteral("Are you sure you wish to reset item sold data?"),
            QStringLiteral("Item sold data reset.")};
}

CashierStore::OnDuty onDuty(const AppContext &ctx)
{
    const Session::OnDuty &cashier = ctx.session.onDuty();
    return {cashier.record, cashier.name, cashier.pin};
}

Result<int> resetRecords(AppContext &ctx, Reset reset, int spared)
{
    const QString &path = ctx.DataFilePath;
    switch (reset) {
    case Reset::SalesPerformed:
        return CashierStore::resetSalesPerformed(path);
    case Reset::AmountSold:
        return CashierStore::resetAmountSold(path);
    case Reset::TimeLoggedOn:
        return CashierStore::resetTimeLoggedOn(path, spared);
    case Reset::Visits:
        return CashierStore::resetVisits(path);
    case Reset::ItemsSold:
        break;
    }
    return CashierStore::resetItemsSold(path);
}

} // namespace

void runReset(AppContext &ctx, Reset reset)
{
    MainWindowAccess &main = *ctx.mainWindow;
    QWidget *parent = main.widget();
    const ResetText text = resetText(reset);
    if (!checkAccess(ctx, parent, text.guard))
        return;
    if (!ctx.dialogs->askYesNo(parent, text.title, text.question))
        return;
    main.ShowStatus(QStringLiteral("Resetting Statistics"), MainWindowAccess::Lamp::Busy);
    // The cashier on duty keeps the time until log off adds to it.
    Result<CashierStore::Found> spared = CashierStore::Found();
    if (reset == Reset::TimeLoggedOn && ctx.session.isLoggedOn()) {
        spared = CashierStore::locate(ctx.DataFilePath, onDuty(ctx));
        if (spared && spared->record == 0) {
            main.ShowStatus(QStringLiteral("Ready"), MainWindowAccess::Lamp::Ready);
            ctx.dialogs->cashierGone(parent, ctx.session.onDuty().name,
                                     QStringLiteral("Nothing has been reset."));
            return;
        }
        if (spared)
            ctx.session.foundAt(spared->record);
    }
    const Result<int> written =
        spared ? resetRecords(ctx, reset, spared->record) : Result<int>(spared.error());
    main.ShowStatus(QStringLiteral("Ready"), MainWindowAccess::Lamp::Ready);
    if (!written) {
        ctx.dialogs->ioError(parent, errorNumber(written.error()));
        return;
    }
    ctx.dialogs->information(parent, QStringLiteral("Success"), text.success);
}

void logOn(AppContext &ctx)
{
    LogOn dialog(ctx, ctx.mainWindow->widget());
    dialog.exec();
}

bool LogOff(AppContext &ctx)
{
    MainWindowAccess &main = *ctx.mainWindow;
    if (main.billLineCount() > 0) {
        if (!ctx.dialogs->askYesNo(main.widget(), QStringLiteral("Cancel Purchase"),
                                   QStringLiteral("Are you sure you wish to cancel the entire "
                                                  "purchase?")))
            return false;
        main.ClearBill();
    }
    const Result<int> written = CashierStore::addTimeOnDuty(
        ctx.DataFilePath, onDuty(ctx), ctx.clock->ticks() - ctx.session.onDuty().since);
    ctx.session.logOff();
    if (!written)
        ctx.dialogs->fileError(main.widget(),
                               QStringLiteral("A File I/O Error has occured. The time logged on "
                                              "could not be saved."),
                               errorNumber(written.error()));
    else if (*written == 0)
        ctx.dialogs->cashierGone(main.widget(), ctx.session.onDuty().name,
                                 QStringLiteral("The time logged on has not been saved."));
    return true;
}

void openCashierSettings(AppContext &ctx)
{
    Cashier dialog(ctx, ctx.mainWindow->widget());
    if (dialog.loadedOk())
        dialog.exec();
}

void mnuitmCashierSettings(AppContext &ctx)
{
    if (checkAccess(ctx, ctx.mainWindow->widget(), GuardedCommand::CashierSettings))
        openCashierSettings(ctx);
}

} // namespace CashierCommands
