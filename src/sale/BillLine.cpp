#include "BillLine.h"

#include "datafile/MoneyText.h"
#include "datafile/TextSplit.h"

namespace BillLine {

QString itemName(const QString &line)
{
    // The split searches from the end, so a name may itself hold "-"; amounts
    // never hold a minus sign (negative ones are in parentheses).
    QString name = TextSplit::beforeLast(line, QLatin1Char('-'));
    if (!name.isEmpty())
        name.chop(1);
    return name;
}

std::optional<double> quantity(const QString &typed)
{
    // A count of goods, at least 0. A minus sign would break the line, which
    // is split at its last "-"; a currency symbol makes it an amount of money.
    if (typed.contains(QLatin1Char('-')) || typed.contains(QLatin1Char('(')))
        return std::nullopt;
    const QLocale locale = MoneyText::locale();
    for (const QString &symbol : {locale.currencySymbol(QLocale::CurrencySymbol),
                                  locale.currencySymbol(QLocale::CurrencyIsoCode)})
        if (!symbol.isEmpty() && typed.contains(symbol))
            return std::nullopt;
    const std::optional<double> value = MoneyText::parseNumber(typed);
    if (!value || *value < 0)
        return std::nullopt;
    return value;
}

} // namespace BillLine
