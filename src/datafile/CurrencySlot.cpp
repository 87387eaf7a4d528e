#include "CurrencySlot.h"

#include "DataFile.h"
#include "HeaderRecords.h"

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
