#include "ShopFile.h"

#include "DataFile.h"
#include "HeaderRecords.h"
#include "RecordStore.h"

#include <functional>
#include <utility>

ShopFile::ShopFile(const QString &path) : m_path(path) {}

void ShopFile::setLockWaitNotice(std::function<void(bool waiting)> notice)
{
    DataFile::setLockWaitNotice(std::move(notice));
}

FileStamp ShopFile::stamp() const
{
    return FileStamp::of(m_path);
}

FileError ShopFile::createNew(const QDate &today) const
{
    return RecordStore(m_path).createNew(today);
}

Result<QString> ShopFile::moveAside(const QDateTime &now) const
{
    return RecordStore(m_path).moveAside(now);
}

Result<ShopFile::LogSettings> ShopFile::logSettings() const
{
    if (const FileError error = RecordStore(m_path).testDatafile(); error != FileError::None)
        return error;
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    LogSettings settings;
    for (const auto &[n, apply] :
         {std::pair<int, std::function<void(const DataRecord &)>>{
              HeaderRecord::LogFile,
              [&](const DataRecord &r) { settings.logFile = r.Number.toText(); }},
          {HeaderRecord::SaveToLog,
           [&](const DataRecord &r) { settings.saveToLog = HeaderRecord::switchIsOn(r); }},
          {HeaderRecord::PrintBill,
           [&](const DataRecord &r) { settings.printBill = HeaderRecord::switchIsOn(r); }}}) {
        const Result<DataRecord> record = file.read(n);
        if (!record)
            return record.error();
        apply(*record);
    }
    return settings;
}

Result<QString> ShopFile::logFile() const
{
    const Result<DataRecord> record = RecordStore(m_path).readRecord(HeaderRecord::LogFile);
    if (!record)
        return record.error();
    return record->Number.toText();
}

FileError ShopFile::setLogFile(const QString &path, bool startNew) const
{
    return RecordStore(m_path).updateRecord(HeaderRecord::LogFile, [&](DataRecord &record) {
        record.Name = FieldValue::fromText(SharedMarker);
        record.Number = FieldValue::fromText(path);
        record.Price = FieldValue::fromInt16(startNew ? 0 : 1);
        return true;
    });
}

FileError ShopFile::setSwitch(Switch which, bool on) const
{
    const int n = which == Switch::SaveToLog ? HeaderRecord::SaveToLog : HeaderRecord::PrintBill;
    return RecordStore(m_path).updateRecord(n, [&](DataRecord &record) {
        record.Number = FieldValue::fromInt16(on ? 1 : 0);
        if (which == Switch::PrintBill)
            record.Price = FieldValue::fromInt16(0);
        return true;
    });
}

Result<std::optional<bool>> ShopFile::noTax() const
{
    const Result<DataRecord> record = RecordStore(m_path).readRecord(HeaderRecord::NoTax);
    if (!record)
        return record.error();
    return HeaderRecord::noTaxFlag(*record);
}

Result<TaxSettings> ShopFile::taxSettings() const
{
    const Result<QList<DataRecord>> records =
        RecordStore(m_path).readRecords({HeaderRecord::TaxRates, HeaderRecord::NoTax});
    if (!records)
        return records.error();
    return TaxSettings::fromRecords(records->at(0), records->at(1));
}

FileError ShopFile::setTaxSettings(const TaxSettings &tax) const
{
    if (tax.unstorableCharacter())
        return FileError::UnencodableText;
    return RecordStore(m_path).writeRecords(tax.toRecords());
}

Result<BillNotes> ShopFile::billNotes() const
{
    const Result<DataRecord> record = RecordStore(m_path).readRecord(HeaderRecord::BillNotes);
    if (!record)
        return record.error();
    return BillNotes::fromRecord(*record);
}

FileError ShopFile::setBillNotes(const BillNotes &notes) const
{
    if (notes.unstorableCharacter())
        return FileError::UnencodableText;
    return RecordStore(m_path).writeRecords({{HeaderRecord::BillNotes, notes.toRecord()}});
}

Result<Preferences> ShopFile::preferences(const QDate &today) const
{
    const Result<QList<DataRecord>> records = RecordStore(m_path).readRecords(
        {HeaderRecord::ItemBoxShowsNames, HeaderRecord::PickBoxes, HeaderRecord::LastTransaction});
    if (!records)
        return records.error();
    return Preferences::fromRecords(records->at(0), records->at(1), records->at(2), today);
}

FileError ShopFile::setPreferences(const Preferences &preferences) const
{
    return RecordStore(m_path).writeRecords(preferences.toRecords());
}
