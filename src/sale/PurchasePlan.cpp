#include "PurchasePlan.h"

#include "DateTimeText.h"
#include "LogFile.h"
#include "datafile/CashierEntry.h"
#include "datafile/CurrencySlot.h"
#include "datafile/MoneyText.h"
#include "datafile/TransactionCounter.h"

namespace Purchase {

namespace {
const QString Rule = QStringLiteral("----------------------");

Currency money(const QString &text)
{
    return MoneyText::parseCurrency(text).value_or(Currency());
}

QStringList notesBlock(const QString &notes)
{
    if (notes.isEmpty())
        return {};
    QString text = notes;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringList{QString(), QStringLiteral("Notes:")} + text.split(QLatin1Char('\n'));
}
} // namespace

Plan plan(const Facts &facts, const ShownBill &bill, const Payment &payment,
          const QString &cashierName, const QDateTime &now)
{
    Plan p;
    p.sale = {bill,
              payment,
              {facts.cashierRecord, facts.onDuty.name, facts.onDuty.pin},
              cashierName,
              now};
    if (auto *credit = std::get_if<CreditPayment>(&p.sale.payment.by))
        credit->customerSeen = facts.customer.account ? facts.customer.record : 0;
    p.saveToLog = facts.saveToLog;
    p.printBill = facts.printBill;
    p.transaction = TransactionCounter::next(facts.counter, now.date());
    SaleRecords::Changes changes{now.date(), p.transaction, {}, {}, {}};

    const Currency grand = bill.grandTotal;
    const QString subtotalText = MoneyText::formatCurrency(bill.subtotal);
    const QString grandTotalText = MoneyText::formatCurrency(grand);
    const CreditPayment *credit = payment.credit();
    const CashPayment *cash = payment.cash();
    const QStringList head{
        credit ? QStringLiteral("Credit Purchase") : QStringLiteral("Cash Purchase"),
        dateTimeText(now),
        QStringLiteral("Transaction #") + QString::number(p.transaction)
            + QStringLiteral(" on today's date"),
        QStringLiteral("Cashier: ") + cashierName,
    };

    QStringList customerBlock;
    QStringList paymentBlock;
    if (credit) {
        CustomerEntry account = facts.customer.account.value_or(CustomerEntry());
        // The balance goes through its shown form, as the message shows it.
        const Currency balance = money(MoneyText::formatCurrency(account.balance() - grand));
        if (facts.customer.account) {
            account.setTotalSpent(account.totalSpent() + grand);
            account.setVisits(account.visits() + 1);
        } else {
            account.setName(credit->customer);
            account.setTotalSpent(-balance);
            account.setVisits(1);
        }
        account.setBalance(balance);
        account.setNotes(credit->comments);
        p.balance = balance;
        changes.customer = {facts.customer.record, account};
        customerBlock << credit->customer
                      << QStringLiteral("Current Balance: ") + MoneyText::formatCurrency(balance)
                      << QString();
        paymentBlock << QStringLiteral("Subtotal: ") + subtotalText
                     << QStringLiteral("Total: ") + grandTotalText;
    } else if (cash->foreign) {
        const Foreign &f = *cash->foreign;
        const Currency due = convert(grand, f);
        const ChangeShown change = changeFor(cash->moneyGiven, due, &f);
        paymentBlock << QStringLiteral("Foreign Currency Tendered") << f.entry << QString()
                     << QStringLiteral("Cash Given: ") + cash->moneyGiven
                     << QStringLiteral("Change: ") + change.change << QString()
                     << QStringLiteral("Subtotal: ")
                            + foreignText(f, convert(bill.subtotal, f))
                            + QStringLiteral(" (") + subtotalText + QLatin1Char(')')
                     << QStringLiteral("Total: ") + foreignText(f, due) + QStringLiteral(" (")
                            + grandTotalText + QLatin1Char(')');
        if (facts.currency) {
            CurrencySlot slot(facts.currency->data);
            slot.setTransactions(slot.transactions() + 1);
            slot.setReceived(slot.received() + due);
            changes.currency = {facts.currency->record, slot};
        }
    } else {
        const Currency given = money(cash->moneyGiven);
        paymentBlock << QStringLiteral("Cash Given: ") + MoneyText::formatCurrency(given)
                     << QStringLiteral("Change: ") + MoneyText::formatCurrency(given - grand)
                     << QString() << QStringLiteral("Subtotal: ") + subtotalText
                     << QStringLiteral("Total: ") + grandTotalText;
    }

    if (facts.cashierRecord != 0) {
        CashierEntry cashier(facts.cashier);
        cashier.setSalesPerformed(cashier.salesPerformed() + 1);
        cashier.setAmountSold(cashier.amountSold() + grand);
        changes.cashier = {facts.cashierRecord, cashier};
    }

    const QStringList notes = notesBlock(payment.notes);
    p.log << Rule << head << QString() << customerBlock << bill.lines << QString() << paymentBlock
          << notes << Rule;
    p.print << facts.billHeader << QString() << head << QString() << customerBlock << bill.lines
            << QString() << paymentBlock << notes << QString() << facts.billFooter;

    // Encoded here once: checked before the cashier is asked anything, and
    // written as they are.
    const Result<QList<Write>> writes = SaleRecords::encode(changes);
    if (!writes)
        p.unstorable = writes.error();
    else
        p.writes = *writes;
    if (p.unstorable == FileError::None && p.saveToLog) {
        const Result<QByteArray> entry = LogFile::encode(p.log);
        if (!entry)
            p.unstorable = entry.error();
        else
            p.logEntry = *entry;
    }
    return p;
}

FileError check(const Plan &plan)
{
    return plan.unstorable;
}

} // namespace Purchase
