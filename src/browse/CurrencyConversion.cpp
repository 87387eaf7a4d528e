#include "CurrencyConversion.h"

#include "datafile/CurrencySlot.h"
#include "datafile/MoneyText.h"

namespace CurrencyConversion {

double convert(double amount, Rate from, Rate to)
{
    double native = amount;
    if (from) {
        if (*from == 0)
            return 0;
        native = amount / *from;
    }
    return to ? native * *to : native;
}

QString amountText(double amount, Rate currency)
{
    if (!currency)
        return MoneyText::formatCurrency(Currency::fromDouble(amount));
    return MoneyText::numberText(amount);
}

Result<QList<Entry>> entries(const QString &path)
{
    const Result<QList<StoredSlot>> stored = readCurrencySlots(path);
    if (!stored)
        return stored.error();
    QList<Entry> list{{QStringLiteral("Native Currency"), std::nullopt}};
    for (const StoredSlot &s : *stored) {
        const CurrencySlot slot(s.data);
        if (!slot.isFree())
            list.append({slot.entryText(), slot.rate()});
    }
    return list;
}

} // namespace CurrencyConversion
