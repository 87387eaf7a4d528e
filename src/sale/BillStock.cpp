#include "BillStock.h"

#include "datafile/Cp1252.h"
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

Result<RecordStore::Found> findItem(const QString &path, const QString &text)
{
    const auto bytes = Cp1252::encode(text);
    if (!bytes)
        return RecordStore::Found(); // a text the datafile cannot hold names no item
    return RecordStore(path).findFirst(1, [&](const RecordView &r) {
        return isItemLike(r)
               && (r.fieldEquals(ItemNameField, text, *bytes)
                   || r.fieldEquals(ItemNumberField, text, *bytes));
    });
}

Result<ItemEntry> sell(const QString &path, int record, double quantity)
{
    const RecordStore store(path);
    const Result<DataRecord> read = store.readRecord(record);
    if (!read)
        return read.error();
    ItemEntry item(*read);
    item.setSold(item.sold() + quantity);
    item.setRemaining(item.remaining() - quantity);
    if (const FileError error = store.writeRecord(record, item.record()); error != FileError::None)
        return error;
    return item;
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
