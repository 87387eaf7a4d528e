#include "Checkout.h"

namespace Purchase {

namespace {
SaleRecords::Asked asked(const Payment &payment, const CashierStore::OnDuty &cashier)
{
    SaleRecords::Asked asked;
    asked.cashier = cashier;
    if (const CashPayment *cash = payment.cash(); cash && cash->foreign)
        asked.currencySlot = cash->foreign->slot;
    if (const CreditPayment *credit = payment.credit()) {
        asked.credit = true;
        asked.customer = credit->customer;
        asked.customerSeen = credit->customerSeen;
    }
    return asked;
}
} // namespace

Result<Facts> readFacts(const QString &path, const Payment &payment,
                        const CashierStore::OnDuty &cashier)
{
    return SaleRecords::readFacts(path, asked(payment, cashier));
}

Outcome carryOut(const QString &path, const Plan &planned, TransactionLog &log,
                 const std::function<bool(const QStringList &)> &print,
                 std::unique_ptr<QFile> device)
{
    return carryOut(path, planned, log, std::function<bool(const Plan &)>([&](const Plan &p) {
                        return print(p.print);
                    }),
                    std::move(device));
}

Outcome carryOut(const QString &path, const Plan &planned, TransactionLog &log,
                 const std::function<bool(const Plan &)> &print, std::unique_ptr<QFile> device)
{
    const Sale &sale = planned.sale;
    Outcome done;
    const auto replan = [&](const Facts &facts) {
        done.plan = plan(facts, sale.bill, sale.payment, sale.cashierName, sale.now);
        const Plan &p = done.plan;
        return SaleRecords::Writes{p.writes, p.saveToLog ? std::optional(p.logEntry) : std::nullopt,
                                   p.printBill, p.unstorable};
    };
    const SaleRecords::Done carried = SaleRecords::carryOut(
        path, asked(sale.payment, sale.cashier), replan, log, [&] { return print(done.plan); },
        std::move(device));
    if (carried.failed != Outcome::Failed::Nothing)
        return {carried.failed, carried.errorNumber, {}};
    return done;
}

} // namespace Purchase
