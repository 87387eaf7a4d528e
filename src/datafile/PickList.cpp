#include "PickList.h"

#include "DataFile.h"
#include "DataRecord.h"
#include "HeaderRecords.h"
#include "RecordCodec.h"

namespace {

// A header record the file is too short to hold reads as empty fields, as
// every record past the end does.
Result<DataRecord> readHeader(DataFile &file, int n)
{
    Result<DataRecord> record = file.read(n);
    if (!record && record.error() == FileError::ReadPastEnd && file.atEnd())
        return DataRecord();
    return record;
}

} // namespace

Result<PickList> PickList::read(const QString &path, Mode mode)
{
    PickList list;
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;

    const Result<DataRecord> pickBoxes = readHeader(file, HeaderRecord::PickBoxes);
    if (!pickBoxes)
        return pickBoxes.error();
    if (pickBoxes->Number.toNumber() == 1) {
        list.disabled = true;
        return list;
    }
    const Result<DataRecord> itemBox = readHeader(file, HeaderRecord::ItemBoxShowsNames);
    if (!itemBox)
        return itemBox.error();
    const bool items = mode == Mode::Items;
    // Items are listed by name when the header says so, otherwise by number.
    const int field = items && itemBox->Number.toNumber() == 1 ? 0 : 2;
    const RecordKind wanted = items ? RecordKind::Item : RecordKind::Customer;

    FileError fieldError = FileError::None;
    const FileError error = file.scan(FirstEntryRecord, [&](int, const RecordView &view) {
        if (view.kind() != wanted)
            return true;
        if (list.entries.size() >= MaxPickListEntries) {
            list.tooMany = true;
            return false;
        }
        const auto value = view.field(field);
        if (!value) {
            // Name why the record cannot be read, as a full decode would.
            fieldError = view.decode().error();
            return false;
        }
        list.entries.append(value->toText());
        return true;
    });
    if (error != FileError::None)
        return error;
    if (fieldError != FileError::None)
        return fieldError;
    return list;
}
