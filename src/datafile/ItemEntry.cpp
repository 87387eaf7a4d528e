#include "ItemEntry.h"

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
