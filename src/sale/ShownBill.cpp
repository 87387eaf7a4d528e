#include "ShownBill.h"

#include "Bill.h"
#include "datafile/MoneyText.h"

namespace {
// The amount its caption shows: rounded as the locale's currency format rounds.
Currency asShown(Currency amount)
{
    return MoneyText::parseCurrency(MoneyText::formatCurrency(amount)).value_or(Currency());
}
} // namespace

ShownBill ShownBill::of(const Bill &bill)
{
    return {bill.texts(), asShown(bill.subtotal()),
            asShown(bill.grandTotal().value_or(Currency()))};
}
