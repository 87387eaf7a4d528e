#include "BillStock.h"

#include "datafile/Cp1252.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

FileError restoreStock(const QString &path, const QString &itemName, double quantity)
{
    const QByteArray name = Cp1252::encode(itemName).value_or(QByteArray());
    return RecordStore(path)
        .updateEntries(
        [&](const RecordView &r) {
            return Kinds::isItemOrFree(r) && r.fieldEquals(0, itemName, name);
        },
        [quantity](int, DataRecord &r) {
            r.Sold = FieldValue::fromNumber(r.Sold.toNumber() - quantity);
            r.Remaining = FieldValue::fromNumber(r.Remaining.toNumber() + quantity);
            return true;
        })
        .error();
}
