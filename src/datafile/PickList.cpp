#include "PickList.h"

#include "DataFile.h"
#include "DataRecord.h"
#include "RecordCodec.h"

namespace {

// A header record the file is too short to hold reads as empty fields, as
// every record past the end does.
FileError readHeader(DataFile &file, int n, DataRecord &out)
{
    const FileError error = file.read(n, out);
    return error == FileError::ReadPastEnd && file.atEnd() ? FileError::None : error;
}

} // namespace

PickList PickList::read(const QString &path, Mode mode)
{
    PickList list;
    DataFile file(path);
    list.error = file.open(DataFile::Mode::Read);
    if (list.error != FileError::None)
        return list;

    DataRecord settings;
    list.error = readHeader(file, 8, settings);
    if (list.error != FileError::None)
        return list;
    if (settings.Number.toNumber() == 1) {
        list.disabled = true;
        return list;
    }
    list.error = readHeader(file, 6, settings);
    if (list.error != FileError::None)
        return list;
    const bool items = mode == Mode::Items;
    // Record 6 field 2 = 1: items are listed by name, otherwise by number.
    const int field = items && settings.Number.toNumber() == 1 ? 0 : 2;
    const RecordKind wanted = items ? RecordKind::Item : RecordKind::Customer;

    FileError fieldError = FileError::None;
    list.error = file.scan(FirstEntryRecord, [&](int, const RecordView &view) {
        if (view.kind() != wanted)
            return true;
        if (list.entries.size() >= MaxPickListEntries) {
            list.tooMany = true;
            return false;
        }
        const auto value = view.field(field);
        if (!value) {
            // Name why the record cannot be read, as a full decode would.
            view.decode(&fieldError);
            return false;
        }
        list.entries.append(value->toText());
        return true;
    });
    if (list.error == FileError::None)
        list.error = fieldError;
    return list;
}
