#include "BillStock.h"

#include "datafile/Cp1252.h"
#include "datafile/DataFile.h"
#include "datafile/RecordCodec.h"

namespace {
bool isItemLike(const RecordView &r)
{
    // Free records are compared too: a name or number they still hold counts.
    return Kinds::isItemOrFree(r);
}

FileError putBack(const QString &path, int record, ItemEntry item, double quantity)
{
    item.setSold(item.sold() - quantity);
    item.setRemaining(item.remaining() + quantity);
    return RecordStore(path).writeRecord(record, item.record());
}
} // namespace

namespace BillStock {

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
    const RecordStore store(path);
    const Result<DataRecord> read = store.readRecord(record);
    if (!read)
        return read.error();
    Sold sold{record, ItemEntry(*read)};
    if (!takes(sold.item)) {
        sold.refused = true;
        return sold;
    }
    sold.item.setSold(sold.item.sold() + quantity);
    sold.item.setRemaining(sold.item.remaining() - quantity);
    if (const FileError error = store.writeRecord(record, sold.item.record());
        error != FileError::None)
        return error;
    return sold;
}

FileError restore(const QString &path, const Bill::Removal &removal)
{
    if (removal.summary || removal.record == 0)
        return FileError::None;
    const RecordStore store(path);
    // Still where it was rung, unless a delete has moved the records since.
    if (const Result<DataRecord> rung = store.readRecord(removal.record);
        rung && rung->isItem() && ItemEntry(*rung).name() == removal.name)
        return putBack(path, removal.record, ItemEntry(*rung), removal.quantity);
    const auto bytes = Cp1252::encode(removal.name);
    if (!bytes)
        return FileError::None;
    const Result<RecordStore::Found> found =
        store.findFirst(FirstEntryRecord, [&](const RecordView &r) {
            return Kinds::isItem(r) && r.fieldEquals(ItemNameField, removal.name, *bytes);
        });
    if (!found)
        return found.error();
    if (found->record == 0)
        return FileError::None;
    return putBack(path, found->record, ItemEntry(found->data), removal.quantity);
}

} // namespace BillStock
