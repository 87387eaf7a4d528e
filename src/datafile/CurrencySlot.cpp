#include "CurrencySlot.h"

#include "DataFile.h"
#include "DecimalDigits.h"
#include "HeaderRecords.h"

#include <cmath>

namespace {
// Every decimal of up to 15 significant digits reads back from a double as typed.
constexpr size_t RateDigits = 15;
} // namespace

void CurrencySlot::setRate(double rate)
{
    const std::optional<Currency> amount = Currency::fromDoubleInRange(rate);
    m_record.Price = amount && amount->toDouble() == rate ? FieldValue::fromCurrency(*amount)
                                                          : FieldValue::fromDouble(rate);
}

bool CurrencySlot::holdsRate(double rate)
{
    return std::isfinite(rate) && DecimalDigits::of(rate).digits.size() <= RateDigits;
}

Result<QList<StoredSlot>> readCurrencySlots(const QString &path)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    QList<StoredSlot> slotsRead;
    for (int n = HeaderRecord::FirstCurrencySlot; n <= HeaderRecord::LastCurrencySlot; ++n) {
        Result<DataRecord> record = file.read(n);
        if (!record)
            return record.error();
        slotsRead.append({n, std::move(*record)});
    }
    return slotsRead;
}
