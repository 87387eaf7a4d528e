#include "BillNotes.h"

#include "HeaderRecords.h"
#include "StoredText.h"

namespace {
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

BillNotes BillNotes::fromRecord(const DataRecord &record)
{
    BillNotes out;
    out.header = toEditor(record.Number.toText());
    out.footer = isStoredZero(record.Price) ? QString() : toEditor(record.Price.toText());
    return out;
}

std::optional<QChar> BillNotes::unstorableCharacter() const
{
    return StoredText::firstRefused(header + footer, StoredText::Lines::Several);
}

DataRecord BillNotes::toRecord() const
{
    DataRecord record;
    record.Name = FieldValue::fromText(SharedMarker);
    record.Number = FieldValue::fromText(toStored(header));
    record.Price = FieldValue::fromText(toStored(footer));
    return record;
}
