#include "CashierStore.h"

#include "Cp1252.h"
#include "RecordCodec.h"

namespace {
bool isNamedCashier(const RecordView &r, const QString &name, const QByteArray &bytes)
{
    return Kinds::isCashier(r) && r.fieldEquals(EntryNameField, name, bytes);
}

// The first cashier record from 21 on that `match` accepts, given the
// Windows-1252 form of each text; a text that cannot be stored matches nothing.
Result<CashierStore::Found>
findWith(const QString &path, const QStringList &texts,
         const std::function<bool(const RecordView &, const QList<QByteArray> &)> &match)
{
    QList<QByteArray> bytes;
    for (const QString &t : texts) {
        const auto b = Cp1252::encode(t);
        if (!b)
            return CashierStore::Found();
        bytes << *b;
    }
    return RecordStore(path).findFirst(FirstEntryRecord,
                                       [&](const RecordView &r) { return match(r, bytes); });
}

Result<int> resetEntries(const QString &path, bool (*kind)(const RecordView &),
                         const std::function<bool(int, DataRecord &)> &change)
{
    return RecordStore(path).updateEntries(kind, change);
}
} // namespace

namespace CashierStore {

Result<Found> findForLogOn(const QString &path, const QString &name, const QString &pin)
{
    return findWith(path, {name, pin}, [&](const RecordView &r, const QList<QByteArray> &b) {
        return isNamedCashier(r, name, b[0]) && r.fieldEquals(CashierPinField, pin, b[1]);
    });
}

Result<Found> locate(DataFile &file, const OnDuty &cashier)
{
    const auto name = Cp1252::encode(cashier.name);
    const auto pin = Cp1252::encode(cashier.pin);
    if (!name || !pin || cashier.record < FirstEntryRecord)
        return Found();
    const auto isThem = [&](const RecordView &r) {
        return isNamedCashier(r, cashier.name, *name)
               && r.fieldEquals(CashierPinField, cashier.pin, *pin);
    };
    Result<Found> found = RecordStore::findFirst(file, cashier.record, cashier.record, isThem);
    if (!found || found->record != 0)
        return found;
    int moved = 0;
    const FileError error = file.scanBack(cashier.record - 1, [&](int n, const RecordView &r) {
        if (n < FirstEntryRecord)
            return false;
        if (isThem(r))
            moved = n;
        return moved == 0;
    });
    if (error != FileError::None)
        return error;
    if (moved == 0)
        return Found();
    Result<DataRecord> data = file.read(moved);
    if (!data)
        return data.error();
    return Found{moved, std::move(*data)};
}

Result<Found> locate(const QString &path, const OnDuty &cashier)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return locate(file, cashier);
}

Result<int> updateCashier(const QString &path, const OnDuty &onDuty,
                          const std::function<void(CashierEntry &)> &change)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    const Result<Found> found = locate(file, onDuty);
    if (!found)
        return found.error();
    if (found->record == 0)
        return 0;
    CashierEntry cashier(found->data);
    change(cashier);
    FileError error = file.write(found->record, cashier.record());
    if (error == FileError::None)
        error = file.sync();
    if (error != FileError::None)
        return error;
    return found->record;
}

Result<int> addTimeOnDuty(const QString &path, const OnDuty &onDuty, qint64 ms)
{
    return updateCashier(path, onDuty, [ms](CashierEntry &cashier) {
        cashier.setMsLoggedOn(cashier.msLoggedOn() + double(ms));
    });
}

Result<bool> masterExists(const QString &path)
{
    const QString master = Privileges::master().toString();
    const Result<Found> found =
        findWith(path, {master}, [&](const RecordView &r, const QList<QByteArray> &b) {
            return Kinds::isCashier(r) && r.fieldEquals(CashierPrivilegeField, master, b[0]);
        });
    if (!found)
        return found.error();
    return found->record != 0;
}

Result<int> resetSalesPerformed(const QString &path)
{
    return resetEntries(path, Kinds::isCashier, [](int, DataRecord &r) {
        r.SpareB = FieldValue::fromInt16(0);
        return true;
    });
}

Result<int> resetAmountSold(const QString &path)
{
    return resetEntries(path, Kinds::isCashier, [](int, DataRecord &r) {
        r.Price = FieldValue::fromInt16(0);
        return true;
    });
}

Result<int> resetTimeLoggedOn(const QString &path, int onDuty)
{
    return resetEntries(path, Kinds::isCashier, [onDuty](int n, DataRecord &r) {
        if (n == onDuty)
            return false;
        r.SpareD = FieldValue::fromInt16(0);
        return true;
    });
}

Result<int> resetVisits(const QString &path)
{
    return resetEntries(path, Kinds::isCustomer, [](int, DataRecord &r) {
        r.SpareA = FieldValue::fromInt16(0);
        return true;
    });
}

Result<int> resetItemsSold(const QString &path)
{
    return resetEntries(path, Kinds::isItemOrFree, [](int, DataRecord &r) {
        r.Sold = FieldValue::fromInt16(0);
        r.Remaining = r.Stock;
        return true;
    });
}

} // namespace CashierStore
