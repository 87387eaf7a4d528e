#include "ItemEntry.h"

bool ItemEntry::isValidName(const QString &name)
{
    return !name.isEmpty() && name != SharedMarker && name != CashierMarker
           && !name.startsWith(QLatin1String("Sub Total"))
           && !name.startsWith(QLatin1String("Grand Total"));
}

ItemEntry ItemEntry::make(const QString &name, const QString &number, Currency price, double stock)
{
    ItemEntry item;
    item.setName(name);
    item.setPrice(price);
    item.setNumber(number);
    item.setSold(0);
    item.setStock(stock);
    item.setRemaining(stock);
    return item;
}
