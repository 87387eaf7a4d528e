#include "CashierCommands.h"

#include "Access.h"
#include "Cashier.h"
#include "CashierStore.h"
#include "LogOn.h"
#include "TerminalLock.h"
#include "app/AppContext.h"
#include "app/Clock.h"
#include "app/Interface.h"
#include "ui/Dialogs.h"
#include "ui_Interface.h"

#include <QListWidget>

namespace CashierCommands {

namespace {

struct Reset {
    QAction *Ui::Interface::*action;
    GuardedCommand guard;
    QString title;
    QString question;
    QString success;
    int (*run)(AppContext &ctx, FileError *error);
};

void runReset(Interface &window, const Reset &reset)
{
    AppContext &ctx = window.context();
    if (!checkAccess(ctx, &window, reset.guard))
        return;
    if (!ctx.dialogs->askYesNo(&window, reset.title, reset.question))
        return;
    window.ShowStatus(QStringLiteral("Resetting Statistics"), Interface::Lamp::Busy);
    FileError error = FileError::None;
    reset.run(ctx, &error);
    window.ShowStatus(QStringLiteral("Ready"), Interface::Lamp::Ready);
    if (error != FileError::None) {
        ctx.dialogs->fileError(&window,
                               QStringLiteral("A File I/O Error has occured. Please try again."),
                               errorNumber(error));
        return;
    }
    ctx.dialogs->information(&window, QStringLiteral("Success"), reset.success);
}

const std::vector<Reset> &resets()
{
    static const std::vector<Reset> list = {
        {&Ui::Interface::mnuitmCashierSalesComplete, GuardedCommand::ResetCashierData,
         QStringLiteral("Reset Cashier Sales Performed Data"),
         QStringLiteral("Are you sure you wish to reset cashier sales performed data?"),
         QStringLiteral("Cashier Sales Performed Data Reset."),
         [](AppContext &ctx, FileError *e) {
             return CashierStore::resetSalesPerformed(ctx.DataFilePath, e);
         }},
        {&Ui::Interface::mnuitmCashierMoney, GuardedCommand::ResetCashierData,
         QStringLiteral("Reset Cashier Amount Sold Data"),
         QStringLiteral("Are you sure you wish to reset cashier amount data?"),
         QStringLiteral("Amount Sold Data Reset."),
         [](AppContext &ctx, FileError *e) {
             return CashierStore::resetAmountSold(ctx.DataFilePath, e);
         }},
        {&Ui::Interface::mnuitmLoggedOnTime, GuardedCommand::ResetCashierData,
         QStringLiteral("Reset Cashier Time Logged On Data"),
         QStringLiteral("Are you sure you wish to reset cashier time logged on data?"),
         QStringLiteral("Cashier Time Logged On Data Reset."),
         [](AppContext &ctx, FileError *e) {
             // The cashier on duty keeps the time until log off adds to it.
             return CashierStore::resetTimeLoggedOn(ctx.DataFilePath, ctx.CashierRecord, e);
         }},
        {&Ui::Interface::mnuitmVisit, GuardedCommand::ResetVisits,
         QStringLiteral("Reset Credit Number of Visits"),
         QStringLiteral("Are you sure you wish to reset credit number of visits data?"),
         QStringLiteral("Credit Number of Visits Data Reset."),
         [](AppContext &ctx, FileError *e) {
             return CashierStore::resetVisits(ctx.DataFilePath, e);
         }},
        {&Ui::Interface::mnuResetItem, GuardedCommand::ResetItemsSold,
         QStringLiteral("Reset Item Sold Data"),
         QStringLiteral("Are you sure you wish to reset item sold data?"),
         QStringLiteral("Item sold data reset."),
         [](AppContext &ctx, FileError *e) {
             return CashierStore::resetItemsSold(ctx.DataFilePath, e);
         }},
    };
    return list;
}

void logOn(Interface &window)
{
    LogOn dialog(window.context(), &window);
    dialog.exec();
}

} // namespace

bool LogOff(Interface &window)
{
    AppContext &ctx = window.context();
    if (window.form().List1->count() > 0) {
        if (!ctx.dialogs->askYesNo(&window, QStringLiteral("Cancel Purchase"),
                                   QStringLiteral("Are you sure you wish to cancel the entire "
                                                  "purchase?")))
            return false;
        window.ClearBill();
    }
    FileError error = FileError::None;
    CashierStore::addTimeOnDuty(ctx.DataFilePath, ctx.CashierRecord, ctx.CashierName,
                                ctx.clock->ticks() - ctx.LogOnTicks, &error);
    LockTerminal(window);
    if (error != FileError::None)
        ctx.dialogs->fileError(&window,
                               QStringLiteral("A File I/O Error has occured. The time logged on "
                                              "could not be saved."),
                               errorNumber(error));
    return true;
}

void openCashierSettings(Interface &window)
{
    Cashier dialog(window.context(), &window);
    if (dialog.loadedOk())
        dialog.exec();
}

void install(Interface &window)
{
    Ui::Interface &ui = window.form();
    QObject::connect(ui.mnuitmLogOn, &QAction::triggered, &window, [&window] { logOn(window); });
    QObject::connect(ui.mnuitmLogOff, &QAction::triggered, &window, [&window] { LogOff(window); });
    QObject::connect(ui.mnuitmCashierSettings, &QAction::triggered, &window, [&window] {
        if (checkAccess(window.context(), &window, GuardedCommand::CashierSettings))
            openCashierSettings(window);
    });
    for (const Reset &reset : resets())
        QObject::connect(ui.*reset.action, &QAction::triggered, &window,
                         [&window, &reset] { runReset(window, reset); });
    QObject::connect(&window, &Interface::firstCashierRequired, &window,
                     [&window] { openCashierSettings(window); });
    QObject::connect(&window, &Interface::logOffRequested, &window, [&window] { LogOff(window); });
}

} // namespace CashierCommands
