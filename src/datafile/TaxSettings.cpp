#include "TaxSettings.h"

#include "HeaderRecords.h"
#include "MoneyText.h"
#include "StoredText.h"

TaxSettings TaxSettings::fromRecords(const DataRecord &rates, const DataRecord &noTaxFlag)
{
    TaxSettings out;
    out.rate1 = rates.Price.toText();
    out.rate2 = rates.Number.toText();
    out.noTax = HeaderRecord::noTaxFlag(noTaxFlag).value_or(false);
    return out;
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
    return value && MoneyText::leadingNumber(text) == *value && *value >= 0
           && *value <= MaxTaxRate;
}
