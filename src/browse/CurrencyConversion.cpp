#include "CurrencyConversion.h"

#include "datafile/CurrencySlot.h"
#include "datafile/DataFile.h"
#include "datafile/HeaderRecords.h"
#include "datafile/MoneyText.h"

namespace CurrencyConversion {

double convert(double amount, Rate from, Rate to)
{
    double native = amount;
    if (from) {
        const double value = from->toDouble();
        if (value == 0)
            return 0;
        native = amount / value;
    }
    return to ? native * to->toDouble() : native;
}

QString amountText(double amount, Rate currency)
{
    if (!currency)
        return MoneyText::formatCurrency(Currency::fromDouble(amount));
    return MoneyText::numberText(amount);
}

Result<QList<Entry>> entries(const QString &path)
{
    QList<Entry> list{{QStringLiteral("Native Currency"), std::nullopt}};
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    for (int n = HeaderRecord::FirstCurrencySlot; n <= HeaderRecord::LastCurrencySlot; ++n) {
        const Result<DataRecord> record = file.read(n);
        if (!record)
            return record.error();
        const CurrencySlot slot(*record);
        if (slot.isFree())
            continue;
        list.append({slot.name() + QStringLiteral(" (") + slot.symbol() + QStringLiteral(")"),
                     slot.value()});
    }
    return list;
}

} // namespace CurrencyConversion
