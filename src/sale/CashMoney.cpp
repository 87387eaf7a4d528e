#include "CashMoney.h"

#include "datafile/MoneyText.h"
#include "datafile/TextSplit.h"

namespace Purchase {

namespace {
// The number after a foreign currency's symbol, or the whole text without it.
QString withoutSymbol(const QString &given, const Foreign &foreign)
{
    if (!foreign.symbol.isEmpty() && given.startsWith(foreign.symbol))
        return given.mid(foreign.symbol.size());
    return given;
}
} // namespace

QList<Foreign> offeredCurrencies(const QList<Slot> &stored)
{
    QList<Foreign> offered;
    for (const Slot &s : stored) {
        const CurrencySlot slot(s.data);
        if (slot.isFree())
            continue;
        Foreign f;
        f.slot = s.record;
        f.name = slot.name();
        f.symbol = slot.symbol();
        f.value = slot.rate();
        f.entry = slot.entryText();
        offered << f;
    }
    return offered;
}

std::optional<Foreign> currencyForEntry(const QList<Foreign> &offered, const QString &entry)
{
    const QString name = TextSplit::beforeFirst(entry, QLatin1Char('('));
    for (const Foreign &f : offered)
        if (f.name + QLatin1Char(' ') == name)
            return f;
    return std::nullopt;
}

Currency convert(Currency native, const Foreign &foreign)
{
    return Currency::fromDouble(native.toDouble() * foreign.value);
}

QString foreignText(const Foreign &foreign, Currency amount)
{
    // To the cent, half away from zero, as the native amounts are shown.
    const qint64 raw = amount.raw();
    qint64 cents = raw / 100;
    if (raw % 100 >= 50)
        ++cents;
    else if (raw % 100 <= -50)
        --cents;
    return foreign.symbol + MoneyText::numberText(double(cents) / 100);
}

ChangeShown changeFor(const QString &given, Currency due, const Foreign *foreign)
{
    if (given.trimmed().isEmpty())
        return {true, QString()};
    const QString number = foreign ? withoutSymbol(given, *foreign) : given;
    const std::optional<double> paid = MoneyText::parseNumber(number);
    if (!paid)
        return {false, MoneyText::mayBecomeNumber(number) ? QString() : QStringLiteral("Error")};
    const Currency change = Currency::fromDouble(*paid - due.toDouble());
    return {true, foreign ? foreignText(*foreign, change) : MoneyText::formatCurrency(change)};
}

QString moneyGivenOnLeaving(const QString &given, const Foreign *foreign)
{
    if (!foreign) {
        const std::optional<Currency> paid = MoneyText::parseCurrency(given);
        return paid ? MoneyText::formatCurrency(*paid) : given;
    }
    const bool symbol = !foreign->symbol.isEmpty() && given.startsWith(foreign->symbol);
    if (!symbol && MoneyText::isNumeric(given))
        return foreign->symbol + given.trimmed();
    return given;
}

bool moneyGivenIsValid(const QString &given, const Foreign *foreign)
{
    return MoneyText::isNumeric(foreign ? withoutSymbol(given, *foreign) : given);
}

} // namespace Purchase
