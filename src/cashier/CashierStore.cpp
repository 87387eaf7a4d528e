#include "CashierStore.h"

#include "datafile/Cp1252.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

namespace {
bool isNamedCashier(const RecordView &r, const QString &name, const QByteArray &bytes)
{
    return Kinds::isCashier(r) && r.fieldEquals(2, name, bytes);
}

// The first cashier record from 21 on that `match` accepts, given the
// Windows-1252 form of each text; a text that cannot be stored matches nothing.
CashierStore::Match
findWith(const QString &path, const QStringList &texts,
         const std::function<bool(const RecordView &, const QList<QByteArray> &)> &match)
{
    CashierStore::Match result;
    QList<QByteArray> bytes;
    for (const QString &t : texts) {
        const auto b = Cp1252::encode(t);
        if (!b)
            return result;
        bytes << *b;
    }
    const auto found = RecordStore(path).findFirst(
        FirstEntryRecord, [&](const RecordView &r) { return match(r, bytes); }, &result.error);
    result.record = found.record;
    result.data = found.data;
    return result;
}
} // namespace

namespace CashierStore {

Match findForLogOn(const QString &path, const QString &name, const QString &pin)
{
    return findWith(path, {name, pin}, [&](const RecordView &r, const QList<QByteArray> &b) {
        return isNamedCashier(r, name, b[0]) && r.fieldEquals(7, pin, b[1]);
    });
}

Match findByName(const QString &path, const QString &name)
{
    return findWith(path, {name}, [&](const RecordView &r, const QList<QByteArray> &b) {
        return isNamedCashier(r, name, b[0]);
    });
}

int FindCashierRecord(const QString &path, const QString &name, FileError *error)
{
    const Match found = findByName(path, name);
    if (error)
        *error = found.error;
    if (found.record != 0 || found.error != FileError::None)
        return found.record;
    return RecordStore(path).NextFreeRecord(error);
}

int addTimeOnDuty(const QString &path, int record, const QString &name, qint64 ms, FileError *error)
{
    const RecordStore store(path);
    DataRecord r;
    FileError e = record > 0 ? store.readRecord(record, r) : FileError::ReadPastEnd;
    if (e != FileError::None || !r.isCashier() || r.Number.toText() != name) {
        const Match found = findByName(path, name);
        e = found.error;
        record = found.record;
        r = found.data;
    }
    if (record == 0 || e != FileError::None) {
        if (error)
            *error = e;
        return 0;
    }
    r.SpareD = FieldValue::fromNumber(r.SpareD.toNumber() + double(ms));
    e = store.writeRecord(record, r);
    if (error)
        *error = e;
    return e == FileError::None ? record : 0;
}

bool masterExists(const QString &path, FileError *error)
{
    const Match found =
        findWith(path, {MasterPrivileges}, [](const RecordView &r, const QList<QByteArray> &b) {
            return Kinds::isCashier(r) && r.fieldEquals(9, MasterPrivileges, b[0]);
        });
    if (error)
        *error = found.error;
    return found.record != 0;
}

namespace {
int resetEntries(const QString &path, bool (*kind)(const RecordView &),
                 const std::function<bool(int, DataRecord &)> &change, FileError *error)
{
    return RecordStore(path).updateEntries(kind, change, error);
}
} // namespace

int resetSalesPerformed(const QString &path, FileError *error)
{
    return resetEntries(
        path, Kinds::isCashier,
        [](int, DataRecord &r) {
            r.SpareB = FieldValue::fromInt16(0);
            return true;
        },
        error);
}

int resetAmountSold(const QString &path, FileError *error)
{
    return resetEntries(
        path, Kinds::isCashier,
        [](int, DataRecord &r) {
            r.Price = FieldValue::fromInt16(0);
            return true;
        },
        error);
}

int resetTimeLoggedOn(const QString &path, int exceptRecord, FileError *error)
{
    return resetEntries(
        path, Kinds::isCashier,
        [exceptRecord](int n, DataRecord &r) {
            if (n == exceptRecord)
                return false;
            r.SpareD = FieldValue::fromInt16(0);
            return true;
        },
        error);
}

int resetVisits(const QString &path, FileError *error)
{
    return resetEntries(
        path, Kinds::isCustomer,
        [](int, DataRecord &r) {
            r.SpareA = FieldValue::fromInt16(0);
            return true;
        },
        error);
}

int resetItemsSold(const QString &path, FileError *error)
{
    return resetEntries(
        path, Kinds::isItemOrFree,
        [](int, DataRecord &r) {
            r.Sold = FieldValue::fromInt16(0);
            r.Remaining = r.Stock;
            return true;
        },
        error);
}

} // namespace CashierStore
