#include "Sale.h"

#include "BillLine.h"
#include "datafile/ItemStock.h"

namespace {
// The rung item's line, once its stock is sold.
Result<Sale::Rung> rung(Bill &bill, const Result<ItemStock::Sold> &sold, const QString &quantity)
{
    if (!sold)
        return sold.error();
    if (sold->record == 0)
        return Sale::Rung::NotFound;
    if (sold->refused)
        return Sale::Rung::TooLarge;
    bill.ring(sold->item.name(), sold->item.price(), quantity, sold->record);
    return Sale::Rung::Done;
}
} // namespace

Result<Sale::Rung> Sale::ring(const QString &path, const QString &item, const QString &quantity)
{
    if (item.isEmpty() || quantity.isEmpty() || item == SharedMarker || item == CashierMarker)
        return Rung::Nothing;
    const std::optional<double> count = BillLine::quantity(quantity);
    if (!count)
        return Rung::InvalidQuantity;
    return rung(m_bill, ItemStock::sellFirst(path, item, *count, takes(quantity)), quantity);
}

Result<Sale::Rung> Sale::ringRecord(const QString &path, int record, const QString &quantity)
{
    const std::optional<double> count = BillLine::quantity(quantity);
    if (!count)
        return Rung::InvalidQuantity;
    return rung(m_bill, ItemStock::sell(path, record, *count, takes(quantity)), quantity);
}

ItemStock::BillTakes Sale::takes(const QString &quantity) const
{
    return [this, quantity](const ItemEntry &item) {
        return m_bill.amountFor(item.price(), quantity).has_value();
    };
}

Result<Sale::Removed> Sale::remove(const QString &path, int row)
{
    const std::optional<Bill::Removal> removal = m_bill.removal(row);
    if (!removal)
        return Removed::NoSuchLine;
    // A grand-total or tax-free line stands for no stored item.
    if (!removal->summary)
        if (const FileError error =
                ItemStock::restore(path, {removal->record, removal->name, removal->quantity});
            error != FileError::None)
            return error;
    m_bill.remove(row);
    return Removed::Done;
}

FileError Sale::clear(const QString &path)
{
    while (!m_bill.isEmpty()) {
        const Result<Removed> removed = remove(path, 0);
        if (!removed)
            return removed.error();
    }
    m_bill.reset();
    return FileError::None;
}
