#include "ItemEntry.h"

#include "MoneyText.h"

#include <limits>

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

ItemCheck ItemEntry::fromTexts(const ItemTexts &texts)
{
    ItemCheck check;
    const auto refuse = [&](ItemFault fault) {
        check.fault = fault;
        return check;
    };
    if (!isValidName(texts.name))
        return refuse(ItemFault::Name);
    if (!MoneyText::isNumeric(texts.number))
        return refuse(ItemFault::Number);
    const std::optional<Currency> price = MoneyText::parseCurrency(texts.price);
    // An amount past what the datafile can hold would be stored as the nearest one it can.
    constexpr qint64 Largest = std::numeric_limits<qint64>::max();
    if (!price || price->raw() >= Largest || price->raw() <= -Largest)
        return refuse(ItemFault::Price);
    // A count that is not a whole number would be stored as a text no stock
    // figure can be read from.
    const auto count = [](const QString &text) -> std::optional<double> {
        if (text.isEmpty())
            return 0.0;
        if (!MoneyText::isWholeNumber(text))
            return std::nullopt;
        return MoneyText::parseNumber(text);
    };
    const std::optional<double> sold = count(texts.sold);
    if (!sold)
        return refuse(ItemFault::Sold);
    const std::optional<double> stock = count(texts.stock);
    if (!stock)
        return refuse(ItemFault::Stock);
    const std::optional<double> remaining = count(texts.remaining);
    if (!remaining)
        return refuse(ItemFault::Remaining);
    if (*sold + *remaining != *stock)
        return refuse(ItemFault::Unbalanced);

    check.item.setName(texts.name);
    check.item.setNumber(texts.number);
    check.item.setPrice(*price);
    check.item.setSold(*sold);
    check.item.setStock(*stock);
    check.item.setRemaining(*remaining);
    return check;
}
