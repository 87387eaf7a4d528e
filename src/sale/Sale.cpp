#include "Sale.h"

#include "BillStock.h"
#include "datafile/MoneyText.h"

bool Sale::isValidQuantity(const QString &quantity)
{
    const std::optional<double> value = MoneyText::parseNumber(quantity);
    return value && *value >= 0 && !quantity.contains(QLatin1Char('-'));
}

Result<Sale::Rung> Sale::ring(const QString &path, const QString &item, const QString &quantity)
{
    if (item.isEmpty() || quantity.isEmpty() || item == SharedMarker || item == CashierMarker)
        return Rung::Nothing;
    if (!isValidQuantity(quantity))
        return Rung::InvalidQuantity;
    const Result<BillStock::Sold> sold =
        BillStock::sellFirst(path, item, *MoneyText::parseNumber(quantity));
    if (!sold)
        return sold.error();
    if (sold->record == 0)
        return Rung::NotFound;
    m_bill.ring(sold->item.name(), sold->item.price(), quantity, sold->record);
    return Rung::Done;
}

Result<Sale::Rung> Sale::ringRecord(const QString &path, int record, const QString &quantity)
{
    if (!isValidQuantity(quantity))
        return Rung::InvalidQuantity;
    const Result<BillStock::Sold> sold =
        BillStock::sell(path, record, *MoneyText::parseNumber(quantity));
    if (!sold)
        return sold.error();
    m_bill.ring(sold->item.name(), sold->item.price(), quantity, record);
    return Rung::Done;
}

Result<Sale::Removed> Sale::remove(const QString &path, int row)
{
    const std::optional<Bill::Removal> removal = m_bill.removal(row);
    if (!removal)
        return Removed::NoSuchLine;
    if (const FileError error = BillStock::restore(path, *removal); error != FileError::None)
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
