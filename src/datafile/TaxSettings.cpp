#include "TaxSettings.h"

#include "HeaderRecords.h"
#include "MoneyText.h"
#include "StoredText.h"

#include <QRegularExpression>

TaxSettings TaxSettings::fromRecords(const DataRecord &rates, const DataRecord &noTaxFlag)
{
    TaxSettings out;
    out.rate1 = rates.Price.toText();
    out.rate2 = rates.Number.toText();
    out.noTax = HeaderRecord::noTaxFlag(noTaxFlag).value_or(false);
    return out;
}

double TaxSettings::firstRate() const
{
    return TaxRate::value(rate1);
}

std::optional<double> TaxSettings::secondRate() const
{
    if (rate2.isEmpty())
        return std::nullopt;
    return TaxRate::value(rate2);
}

std::optional<QChar> TaxSettings::unstorableCharacter() const
{
    return StoredText::firstRefused(rate1 + rate2);
}

QList<std::pair<int, DataRecord>> TaxSettings::toRecords() const
{
    DataRecord rates;
    rates.Name = FieldValue::fromText(SharedMarker);
    rates.Price = FieldValue::fromText(rate1);
    rates.Number = FieldValue::fromText(rate2);
    // Record 20 carries the first rate as well, as it always has.
    DataRecord noTaxFlag;
    noTaxFlag.Name = FieldValue::fromText(SharedMarker);
    noTaxFlag.Price = FieldValue::fromText(rate1);
    noTaxFlag.Number = FieldValue::fromInt16(noTax ? 1 : 0);
    return {{HeaderRecord::TaxRates, rates}, {HeaderRecord::NoTax, noTaxFlag}};
}

bool isValidTaxRate(const QString &text)
{
    const std::optional<double> value = MoneyText::parseNumber(text);
    return value && MoneyText::leadingNumber(text) == *value && *value >= 0 && *value <= MaxTaxRate;
}

namespace TaxRate {

namespace {
const QRegularExpression &storedNumber()
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*[-+]?(?=[.,]?[0-9])[0-9]*([.,][0-9]*)?([eE][-+]?[0-9]+)?\\s*$"));
    return re;
}
} // namespace

bool isStoredNumber(const QString &stored)
{
    return storedNumber().match(stored).hasMatch();
}

double value(const QString &stored)
{
    if (!isStoredNumber(stored))
        return MoneyText::leadingNumber(stored);
    QString dotted = stored;
    dotted.replace(QLatin1Char(','), QLatin1Char('.'));
    return MoneyText::leadingNumber(dotted);
}

std::optional<QString> toStored(const QString &typed)
{
    if (!isValidTaxRate(typed))
        return std::nullopt;
    return MoneyText::plainNumber(typed);
}

QString toTyped(const QString &stored)
{
    if (!isStoredNumber(stored))
        return stored;
    QString typed = stored.trimmed();
    const qsizetype point = typed.indexOf(QRegularExpression(QStringLiteral("[.,]")));
    if (point >= 0)
        typed.replace(point, 1, MoneyText::locale().decimalPoint());
    return typed;
}

} // namespace TaxRate
