#include "PaymentFlow.h"

#include "LogFile.h"
#include "TillCommands.h"
#include "TillTexts.h"
#include "datafile/Cp1252.h"
#include "datafile/MoneyText.h"
#include "datafile/StoredText.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindowAccess.h"

using namespace Purchase;

namespace {
// "Record too Long" or the unstorable character; false when the plan may go ahead.
bool refused(AppContext &ctx, QWidget *window, const Plan &plan, const Payment &payment)
{
    // The comments and the bill's notes may have several lines.
    const CreditPayment *credit = payment.credit();
    std::optional<QChar> typed =
        StoredText::firstRefused(credit ? credit->customer : payment.cash()->moneyGiven);
    if (!typed)
        typed = StoredText::firstRefused((credit ? credit->comments : QString()) + payment.notes,
                                         StoredText::Lines::Several);
    if (typed) {
        ctx.dialogs->unstorableCharacter(window, *typed);
        return true;
    }
    const FileError error = check(plan);
    if (error == FileError::None)
        return false;
    if (error == FileError::UnencodableText)
        ctx.dialogs->unstorableCharacter(window,
                                         Cp1252::firstUnencodable(plan.log.join(QString())));
    else
        ctx.dialogs->writeFailed(window, error);
    return true;
}
} // namespace

bool completePurchase(AppContext &ctx, QWidget *window, const ShownBill &bill,
                      const Payment &payment)
{
    const CreditPayment *credit = payment.credit();
    const Session::OnDuty &onDuty = ctx.session.onDuty();
    const Result<Facts> facts =
        readFacts(ctx.DataFilePath, payment, {onDuty.record, onDuty.name, onDuty.pin});
    if (!facts) {
        ctx.dialogs->ioError(window, errorNumber(facts.error()));
        return false;
    }
    const auto cashierGone = [&] {
        ctx.dialogs->cashierGone(window, onDuty.name,
                                 QStringLiteral("The purchase has not been completed and nothing "
                                                "has been written."));
        return false;
    };
    const auto databaseFull = [&] {
        ctx.dialogs->databaseFull(window, ctx.DataFilePath);
        return false;
    };
    if (facts->cashierRecord == 0)
        return cashierGone();
    ctx.session.foundAt(facts->cashierRecord);
    const bool newCustomer = credit && !facts->customer.account;
    if (newCustomer && facts->customer.record >= DatabaseFullRecord)
        return databaseFull();
    if (facts->saveToLog && ctx.LogFilePath.isEmpty()) {
        ctx.dialogs->noLogFile(window);
        return false;
    }
    // What cannot be stored, a new customer's name too, is refused before the
    // cashier is asked to add the customer.
    Plan plan = Purchase::plan(*facts, bill, payment, onDuty.name, ctx.clock->now());
    if (refused(ctx, window, plan, payment))
        return false;
    if (newCustomer
        && !ctx.dialogs->askYesNo(window, QStringLiteral("Customer not Found"),
                                  credit->customer
                                      + QStringLiteral(" is not a registered customer. Would "
                                                       "you like to add this customer to the "
                                                       "credit database?")))
        return false;
    // Dated when it is carried out, which may be past midnight.
    plan.sale.now = ctx.clock->now();

    LogFile log(ctx.LogFilePath);
    const Outcome outcome = carryOut(ctx.DataFilePath, plan, log, [&](const Plan &carried) {
        return ctx.dialogs->printLines(carried.print, TillTexts::billJobName(carried.transaction));
    });
    switch (outcome.failed) {
    case Outcome::Failed::Nothing:
        break;
    case Outcome::Failed::Log:
        ctx.dialogs->logFileError(window, outcome.errorNumber);
        return false;
    case Outcome::Failed::Printer:
        ctx.dialogs->printerError(window, outcome.errorNumber);
        return false;
    case Outcome::Failed::Datafile:
        ctx.dialogs->ioError(window, outcome.errorNumber);
        return false;
    case Outcome::Failed::CashierGone:
        return cashierGone();
    case Outcome::Failed::DatabaseFull:
        return databaseFull();
    }
    ctx.session.foundAt(outcome.plan.sale.cashier.record);
    if (!credit)
        TillCommands::openDrawerAfterSale(ctx, window);
    if (credit)
        ctx.dialogs->information(window, QStringLiteral("Current Balance"),
                                 credit->customer + QStringLiteral(" has a balance of ")
                                     + MoneyText::formatCurrency(*outcome.plan.balance)
                                     + QLatin1Char('.'));
    return true;
}
