#include "BillLine.h"

#include "datafile/MoneyText.h"
#include "datafile/TextSplit.h"

bool BillLine::isSummary(const QString &text)
{
    return text.startsWith(QLatin1String("Grand Total"))
           || text.startsWith(QLatin1String("Tax Free"));
}

BillLine BillLine::parse(const QString &text)
{
    // Both splits search from the end, so a name may itself hold "-" or "X";
    // amounts never hold a minus sign (negative ones are in parentheses).
    BillLine line;
    line.name = TextSplit::beforeLast(text, QLatin1Char('-'));
    if (!line.name.isEmpty())
        line.name.chop(1);
    const QString rest = TextSplit::afterLast(text, QLatin1Char('-'));
    line.price =
        MoneyText::parseNumber(TextSplit::beforeLast(rest, QLatin1Char('X')).trimmed()).value_or(0);
    line.quantity = MoneyText::leadingNumber(TextSplit::afterLast(rest, QLatin1Char('X')));
    line.summary = isSummary(text);
    return line;
}

Currency BillLine::amount() const
{
    return Currency::fromDouble(price * quantity);
}
