#include "TillCommands.h"

#include "Checkout.h"
#include "LogFile.h"
#include "TillTexts.h"
#include "cashier/Access.h"
#include "datafile/ShopFile.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindowAccess.h"
#include "ui/TillSettings.h"

namespace TillCommands {

namespace {
bool openDrawer(AppContext &ctx, QWidget *window, const TillSettings &till)
{
    if (ctx.dialogs->openDrawer(till))
        return true;
    ctx.dialogs->critical(window, QStringLiteral("Cash Drawer Error"),
                          QStringLiteral("There has been an error opening the cash drawer. "
                                         "Please check your cash drawer settings and try again."));
    return false;
}

// The log's "No Sale" entry when the log is on; false, having said why, when
// it could not be written.
bool logNoSale(AppContext &ctx, QWidget *window)
{
    const Result<ShopFile::LogSettings> settings = ShopFile(ctx.DataFilePath).logSettings();
    if (!settings) {
        ctx.dialogs->ioError(window, errorNumber(settings.error()));
        return false;
    }
    if (!settings->saveToLog)
        return true;
    if (ctx.LogFilePath.isEmpty()) {
        ctx.dialogs->noLogFile(window);
        return false;
    }
    Result<QByteArray> entry =
        LogFile::encode(TillTexts::noSaleEntry(ctx.session.onDuty().name, ctx.clock->now()));
    Result<Journal::SideWrite> written =
        entry ? LogFile(ctx.LogFilePath).append(*entry) : Result<Journal::SideWrite>(entry.error());
    if (!written) {
        ctx.dialogs->logFileError(window, errorNumber(written.error()));
        return false;
    }
    return true;
}
} // namespace

void openDrawerAfterSale(AppContext &ctx, QWidget *window)
{
    const TillSettings till = TillSettings::load();
    if (till.drawer != TillSettings::Drawer::None)
        openDrawer(ctx, window, till);
}

void mnuitmNoSale(AppContext &ctx)
{
    QWidget *window = ctx.mainWindow->widget();
    if (!ctx.session.onDuty().privileges.all()) {
        ctx.dialogs->critical(window, QStringLiteral("Access Denied"),
                              QStringLiteral("You do not have permission to open the cash drawer "
                                             "without a sale. If you require access, please "
                                             "contact your supervisor and request that every "
                                             "option be turned on for your cashier account."));
        return;
    }
    const TillSettings till = TillSettings::load();
    if (till.drawer == TillSettings::Drawer::None) {
        ctx.dialogs->critical(window, QStringLiteral("No Cash Drawer"),
                              QStringLiteral("There is no cash drawer set up for this till. "
                                             "Please choose one in 'Cash Drawer Setup'."));
        return;
    }
    if (logNoSale(ctx, window))
        openDrawer(ctx, window, till);
}

void mnuitmTestBill(AppContext &ctx)
{
    QWidget *window = ctx.mainWindow->widget();
    if (!checkAccess(ctx, window, GuardedCommand::ChangeSettings))
        return;
    const Result<BillNotes> notes = ShopFile(ctx.DataFilePath).billNotes();
    if (!notes) {
        ctx.dialogs->ioError(window, errorNumber(notes.error()));
        return;
    }
    if (!ctx.dialogs->printLines(
            TillTexts::testBill(*notes, ctx.session.onDuty().name, ctx.clock->now()),
            QStringLiteral("Tallybird test bill")))
        ctx.dialogs->printerError(window, Purchase::PrinterErrorNumber);
}

} // namespace TillCommands
