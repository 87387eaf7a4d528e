#include "TaxSettings.h"

#include "datafile/MoneyText.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

namespace {
constexpr int RatesRecord = 1;
constexpr int NoTaxRecord = 20;
} // namespace

FileError TaxSettings::read(const QString &path, TaxSettings &out)
{
    const RecordStore store(path);
    DataRecord rates, noTaxFlag;
    FileError error = store.readRecord(RatesRecord, rates);
    if (error == FileError::None)
        error = store.readRecord(NoTaxRecord, noTaxFlag);
    if (error != FileError::None)
        return error;
    out.rate1 = rates.Price.toText();
    out.rate2 = rates.Number.toText();
    out.noTax = noTaxFlag.Number.toText() == QLatin1String("1");
    return FileError::None;
}

FileError TaxSettings::write(const QString &path, QChar *badChar) const
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

    for (const DataRecord *r : {&rates, &noTaxFlag}) {
        const RecordCodec::EncodeResult encoded = RecordCodec::encode(*r);
        if (encoded.error != FileError::None) {
            if (badChar)
                *badChar = encoded.badChar;
            return encoded.error;
        }
    }
    const RecordStore store(path);
    const FileError error = store.writeRecord(RatesRecord, rates);
    if (error != FileError::None)
        return error;
    return store.writeRecord(NoTaxRecord, noTaxFlag);
}

bool isValidTaxRate(const QString &text)
{
    const std::optional<double> value = MoneyText::parseNumber(text);
    return value && MoneyText::leadingNumber(text) == *value;
}
