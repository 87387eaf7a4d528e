#include "ItemStock.h"

#include "Cp1252.h"
#include "DataFile.h"
#include "RecordCodec.h"
#include "RecordStore.h"

namespace {
bool isItemLike(const RecordView &r)
{
    // Free records are compared too: a name or number they still hold counts.
    return Kinds::isItemOrFree(r);
}
} // namespace

namespace ItemStock {

Result<Sold> sellFirst(const QString &path, const QString &text, double quantity,
                       const BillTakes &takes)
{
    const auto bytes = Cp1252::encode(text);
    if (!bytes)
        return Sold(); // a text the datafile cannot hold names no item
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    // The scan every ring makes over the whole file: one pass, no lookups.
    int record = 0;
    Result<DataRecord> data = DataRecord();
    const FileError error = file.scan(1, [&](int n, const RecordView &r) {
        // The rare match is checked for its kind, not every record.
        if (!r.nameOrNumberEquals(text, *bytes) || !isItemLike(r))
            return true;
        record = n;
        data = r.decode();
        return false;
    });
    if (error != FileError::None)
        return error;
    if (!data)
        return data.error();
    if (record == 0)
        return Sold();
    Sold sold{record, ItemEntry(*data)};
    if (!takes(sold.item)) {
        sold.refused = true;
        return sold;
    }
    sold.item.setSold(sold.item.sold() + quantity);
    sold.item.setRemaining(sold.item.remaining() - quantity);
    if (const FileError error = file.write(sold.record, sold.item.record());
        error != FileError::None)
        return error;
    return sold;
}

Result<Sold> sell(const QString &path, int record, double quantity, const BillTakes &takes)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    const Result<DataRecord> read = file.read(record);
    if (!read)
        return read.error();
    Sold sold{record, ItemEntry(*read)};
    if (!takes(sold.item)) {
        sold.refused = true;
        return sold;
    }
    sold.item.setSold(sold.item.sold() + quantity);
    sold.item.setRemaining(sold.item.remaining() - quantity);
    if (const FileError error = file.write(record, sold.item.record()); error != FileError::None)
        return error;
    return sold;
}

FileError restore(const QString &path, const Returned &removal)
{
    if (removal.record == 0)
        return FileError::None;
    // Read and written in one opening, so that a ring of another till
    // between the two is not lost.
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    // Still where it was rung, unless a delete has moved the records since.
    RecordStore::Found found;
    if (Result<DataRecord> rung = file.read(removal.record);
        rung && rung->isItem() && ItemEntry(*rung).name() == removal.name) {
        found = {removal.record, std::move(*rung)};
    } else {
        const auto bytes = Cp1252::encode(removal.name);
        if (!bytes)
            return FileError::None;
        const Result<RecordStore::Found> first =
            RecordStore::findFirst(file, FirstEntryRecord, MaxRecords, [&](const RecordView &r) {
                return Kinds::isItem(r) && r.fieldEquals(ItemNameField, removal.name, *bytes);
            });
        if (!first)
            return first.error();
        found = *first;
    }
    if (found.record == 0)
        return FileError::None;
    ItemEntry item(found.data);
    item.setSold(item.sold() - removal.quantity);
    item.setRemaining(item.remaining() + removal.quantity);
    return file.write(found.record, item.record());
}

Added appendItem(const QString &path, const ItemEntry *item)
{
    Added added;
    DataFile file(path);
    const DataFile::Mode mode = item ? DataFile::Mode::ReadWrite : DataFile::Mode::Read;
    if (const FileError error = file.open(mode); error != FileError::None) {
        added.readError = error;
        return added;
    }
    // The number is taken under the lock: another till may have added an entry.
    added.record = std::max(file.recordCount() + 1, FirstEntryRecord);
    if (added.record > MaxRecords) {
        added.record = DatabaseFullRecord;
        return added;
    }
    if (!item)
        return added;
    added.writeError = file.write(added.record, item->record());
    if (added.writeError == FileError::None)
        added.writeError = file.sync();
    return added;
}

} // namespace ItemStock
