#include "TaxSettings.h"

#include "datafile/HeaderRecords.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"
#include "datafile/StoredText.h"

Result<TaxSettings> TaxSettings::read(const QString &path)
{
    const RecordStore store(path);
    const Result<DataRecord> rates = store.readRecord(HeaderRecord::TaxRates);
    if (!rates)
        return rates.error();
    const Result<DataRecord> noTaxRecord = store.readRecord(HeaderRecord::NoTax);
    if (!noTaxRecord)
        return noTaxRecord.error();
    TaxSettings out;
    out.rate1 = rates->Price.toText();
    out.rate2 = rates->Number.toText();
    out.noTax = HeaderRecord::noTaxFlag(*noTaxRecord).value_or(false);
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

    for (const DataRecord *r : {&rates, &noTaxFlag}) {
        if (const Result<QByteArray> encoded = RecordCodec::encode(*r); !encoded)
            return encoded.error();
    }
    const RecordStore store(path);
    const FileError error = store.writeRecord(HeaderRecord::TaxRates, rates);
    if (error != FileError::None)
        return error;
    return store.writeRecord(HeaderRecord::NoTax, noTaxFlag);
}

bool isValidTaxRate(const QString &text)
{
    const std::optional<double> value = MoneyText::parseNumber(text);
    return value && MoneyText::leadingNumber(text) == *value;
}
