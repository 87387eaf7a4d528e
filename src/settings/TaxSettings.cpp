#include "TaxSettings.h"

#include "datafile/HeaderRecords.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordStore.h"
#include "datafile/StoredText.h"

Result<TaxSettings> TaxSettings::read(const QString &path)
{
    const Result<QList<DataRecord>> records =
        RecordStore(path).readRecords({HeaderRecord::TaxRates, HeaderRecord::NoTax});
    if (!records)
        return records.error();
    const DataRecord &rates = records->at(0);
    TaxSettings out;
    out.rate1 = rates.Price.toText();
    out.rate2 = rates.Number.toText();
    out.noTax = HeaderRecord::noTaxFlag(records->at(1)).value_or(false);
    return out;
}

std::optional<QChar> TaxSettings::unstorableCharacter() const
{
    return StoredText::firstRefused(rate1 + rate2);
}

FileError TaxSettings::write(const QString &path) const
{
    if (unstorableCharacter())
        return FileError::UnencodableText;
    DataRecord rates;
    rates.Name = FieldValue::fromText(SharedMarker);
    rates.Price = FieldValue::fromText(rate1);
    rates.Number = FieldValue::fromText(rate2);
    // Record 20 carries the first rate as well, as it always has.
    DataRecord noTaxFlag;
    noTaxFlag.Name = FieldValue::fromText(SharedMarker);
    noTaxFlag.Price = FieldValue::fromText(rate1);
    noTaxFlag.Number = FieldValue::fromInt16(noTax ? 1 : 0);
    return RecordStore(path).writeRecords(
        {{HeaderRecord::TaxRates, rates}, {HeaderRecord::NoTax, noTaxFlag}});
}

bool isValidTaxRate(const QString &text)
{
    const std::optional<double> value = MoneyText::parseNumber(text);
    return value && MoneyText::leadingNumber(text) == *value;
}
