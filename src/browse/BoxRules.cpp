#include "BoxRules.h"

#include "datafile/CurrencySlot.h"
#include "datafile/MoneyText.h"

namespace BoxRules {

namespace {
BoxCheck accept()
{
    BoxCheck c;
    c.ok = true;
    return c;
}

BoxCheck accept(const QString &ownText)
{
    BoxCheck c = accept();
    c.ownText = ownText;
    return c;
}
} // namespace

BoxRule whole()
{
    return [](const QString &text, const QString &, const Form &) {
        return wholeText(text) ? accept() : BoxCheck();
    };
}

BoxRule wholeRewritten()
{
    return [](const QString &text, const QString &, const Form &) {
        const auto whole = wholeText(text);
        return whole ? accept(*whole) : BoxCheck();
    };
}

BoxRule money()
{
    return [](const QString &text, const QString &, const Form &) {
        const auto amount = moneyAmount(text);
        return amount ? accept(MoneyText::formatCurrency(*amount)) : BoxCheck();
    };
}

BoxRule moneyOrEmpty()
{
    return [](const QString &text, const QString &before, const Form &form) {
        return money()(text.trimmed().isEmpty() ? QStringLiteral("0") : text, before, form);
    };
}

BoxRule rate()
{
    return [](const QString &text, const QString &, const Form &) {
        return rateValue(text) ? accept() : BoxCheck();
    };
}

BoxRule numeric()
{
    return [](const QString &text, const QString &, const Form &) {
        return MoneyText::isNumeric(text) ? accept() : BoxCheck();
    };
}

BoxRule symbol(BoxKey amountBox)
{
    return [amountBox](const QString &text, const QString &before, const Form &form) {
        if (text.isEmpty() || MoneyText::isNumeric(text))
            return BoxCheck();
        BoxCheck c = accept();
        c.rewrite.insert(amountBox, text + amountAfterSymbol(form.value(amountBox), before));
        return c;
    };
}

BoxRule amountWithSymbol(BoxKey symbolBox)
{
    return [symbolBox](const QString &text, const QString &, const Form &form) {
        const QString symbol = form.value(symbolBox);
        const QString amount = amountAfterSymbol(text, symbol);
        if (!moneyAmount(amount))
            return BoxCheck();
        return accept(symbol + amount);
    };
}

std::optional<Currency> moneyAmount(const QString &text)
{
    const auto amount = MoneyText::parseCurrency(text);
    // Only an amount past the range reads as its very ends.
    if (!amount || *amount == Currency::max() || *amount < -Currency::max())
        return std::nullopt;
    return amount;
}

std::optional<double> rateValue(const QString &text)
{
    const auto value = MoneyText::parseNumber(text);
    if (!value || !CurrencySlot::holdsRate(*value))
        return std::nullopt;
    return value;
}

std::optional<QString> wholeText(const QString &text)
{
    if (!MoneyText::isWholeNumber(text))
        return std::nullopt;
    return MoneyText::numberText(*MoneyText::parseNumber(text));
}

QString withoutSymbol(const QString &text, const QString &symbol)
{
    const QString trimmed = text.trimmed();
    if (!symbol.isEmpty() && trimmed.startsWith(symbol))
        return trimmed.mid(symbol.size()).trimmed();
    return trimmed;
}

QString amountAfterSymbol(const QString &text, const QString &symbol)
{
    const QString amount = withoutSymbol(text, symbol);
    if (MoneyText::isNumeric(amount) || amount.isEmpty())
        return amount;
    const QString rest = amount.mid(1).trimmed();
    return MoneyText::isNumeric(rest) ? rest : amount;
}

QString plainAmount(Currency amount, int minDecimals)
{
    QLocale loc = MoneyText::locale();
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    qint64 raw = amount.raw();
    int decimals = 4;
    while (decimals > minDecimals && raw % 10 == 0) {
        raw /= 10;
        --decimals;
    }
    return loc.toString(amount.toDouble(), 'f', decimals);
}

} // namespace BoxRules
