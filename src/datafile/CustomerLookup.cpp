#include "CustomerLookup.h"

#include "CashierEntry.h"
#include "Cp1252.h"
#include "DataFile.h"
#include "RecordCodec.h"
#include "RecordStore.h"

namespace {
bool isNamed(const RecordView &r, const QString &customer, const QByteArray &bytes)
{
    return Kinds::isCustomer(r) && r.fieldEquals(EntryNameField, customer, bytes);
}
} // namespace

namespace CustomerLookup {

Result<Place> find(const QString &path, const QString &name)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return findIn(file, name, 0);
}

Result<Place> findIn(DataFile &file, const QString &name, int seen)
{
    const std::optional<QByteArray> bytes = Cp1252::encode(name);
    int found = 0;
    if (bytes && seen > 0 && seen <= file.recordCount()) {
        const Result<QByteArray> raw = file.readRaw(seen);
        if (!raw)
            return raw.error();
        if (isNamed(RecordView(*raw), name, *bytes))
            found = seen;
    }
    if (bytes && !name.isEmpty() && found == 0) {
        const FileError error = file.scan(FirstEntryRecord, [&](int n, const RecordView &r) {
            if (isNamed(r, name, *bytes))
                found = n;
            return found == 0;
        });
        if (error != FileError::None)
            return error;
    }
    // A new customer's record is the one past the last.
    Place place;
    place.record = found != 0 ? found : file.recordCount() + 1;
    if (found != 0) {
        Result<DataRecord> account = file.read(found);
        if (!account)
            return account.error();
        place.account = CustomerEntry(std::move(*account));
    }
    return place;
}

} // namespace CustomerLookup
