#include "CurrencySlotWalk.h"

#include "CurrencySlot.h"
#include "DataFile.h"
#include "HeaderRecords.h"

#include <array>

namespace {

// All four stored in one open of the file.
Result<std::array<DataRecord, MaxForeignCurrencies>> readSlots(const QString &path)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    std::array<DataRecord, MaxForeignCurrencies> stored;
    for (int i = 0; i < MaxForeignCurrencies; ++i) {
        Result<DataRecord> r = file.read(HeaderRecord::FirstCurrencySlot + i);
        if (!r)
            return r.error();
        stored[i] = std::move(*r);
    }
    return stored;
}

} // namespace

CurrencySlotWalk::CurrencySlotWalk(QString path) : m_path(std::move(path))
{
    CurrentRecord = HeaderRecord::FirstCurrencySlot;
}

int CurrencySlotWalk::firstRecord() const
{
    return HeaderRecord::FirstCurrencySlot;
}

Result<RecordWalk::Step> CurrencySlotWalk::showSlot(int record)
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    Result<DataRecord> data = file.read(record);
    if (!data)
        return data.error();
    CurrentRecord = record;
    AtEnd = CurrencySlot(*data).isFree();
    Step r;
    r.outcome = Outcome::Shown;
    r.record = std::move(*data);
    return r;
}

Result<RecordWalk::Step> CurrencySlotWalk::first()
{
    return showSlot(HeaderRecord::FirstCurrencySlot);
}

Result<RecordWalk::Step> CurrencySlotWalk::next()
{
    if (AtEnd)
        return outcome(Outcome::NoMore);
    if (CurrentRecord >= HeaderRecord::LastCurrencySlot)
        return outcome(Outcome::DatabaseFull);
    return showSlot(CurrentRecord + 1);
}

Result<RecordWalk::Step> CurrencySlotWalk::previous()
{
    if (CurrentRecord <= HeaderRecord::FirstCurrencySlot)
        return outcome(Outcome::AtBeginning);
    return showSlot(CurrentRecord - 1);
}

Result<RecordWalk::Step> CurrencySlotWalk::search(const QString &text)
{
    const QString wanted = text.toUpper();
    if (wanted.isEmpty() || wanted == SharedMarker || wanted == CashierMarker)
        return outcome(Outcome::Nothing);
    const auto stored = readSlots(m_path);
    if (!stored)
        return stored.error();
    const bool blank = wanted == QLatin1String("*");
    for (int i = 0; i < MaxForeignCurrencies; ++i) {
        const CurrencySlot slot((*stored)[i]);
        const bool match =
            blank ? slot.isFree()
                  : !slot.isFree() && (slot.name() == wanted || slot.symbol().toUpper() == wanted);
        if (!match)
            continue;
        CurrentRecord = HeaderRecord::FirstCurrencySlot + i;
        AtEnd = slot.isFree();
        Step r;
        r.outcome = Outcome::Shown;
        r.record = (*stored)[i];
        return r;
    }
    return outcome(blank ? Outcome::NoBlankRecord : Outcome::NotFound);
}

Result<RecordWalk::Step> CurrencySlotWalk::afterDelete()
{
    return showSlot(CurrentRecord);
}
