#include "BillNotes.h"

#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

namespace {
constexpr int NotesRecord = 5;

bool isStoredZero(const FieldValue &value)
{
    return value.isText() ? value.toText() == QLatin1String("0")
                          : !value.isEmpty() && value.toNumber() == 0;
}
} // namespace

QString BillNotes::toEditor(const QString &stored)
{
    QString text = stored;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString BillNotes::toStored(const QString &edited)
{
    QString text = toEditor(edited);
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

FileError BillNotes::read(const QString &path, BillNotes &out)
{
    DataRecord record;
    const FileError error = RecordStore(path).readRecord(NotesRecord, record);
    if (error != FileError::None)
        return error;
    out.header = toEditor(record.Number.toText());
    out.footer = isStoredZero(record.Price) ? QString() : toEditor(record.Price.toText());
    return FileError::None;
}

FileError BillNotes::write(const QString &path, QChar *badChar) const
{
    DataRecord record;
    record.Name = FieldValue::fromText(SharedMarker);
    record.Number = FieldValue::fromText(toStored(header));
    record.Price = FieldValue::fromText(toStored(footer));
    const RecordCodec::EncodeResult encoded = RecordCodec::encode(record);
    if (encoded.error != FileError::None) {
        if (badChar)
            *badChar = encoded.badChar;
        return encoded.error;
    }
    return RecordStore(path).writeRecord(NotesRecord, record);
}
