#pragma once

#include "DataRecord.h"
#include "FileError.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Encodes a DataRecord into exactly 128 bytes and back: 16-bit little-endian
// tags, little-endian payloads, Windows-1252 text, zero padding.
namespace RecordCodec {

// Exactly RecordLength bytes; BadRecordLength when the fields do not fit,
// UnencodableText for a character without a Windows-1252 byte.
Result<QByteArray> encode(const DataRecord &record);
// The encoded size of the 13 fields, without padding (may exceed 128).
int encodedSize(const DataRecord &record);

// `bytes` must hold RecordLength bytes. UnknownFieldType for an unknown tag,
// FieldPastRecord for a field that runs past the record's end.
Result<DataRecord> decode(QByteArrayView bytes);

} // namespace RecordCodec

// A record's raw bytes, read without decoding every field. Scans look at one
// or two fields of each record, so they work on views and decode only matches.
class RecordView
{
public:
    explicit RecordView(QByteArrayView bytes) : m_bytes(bytes) {}

    QByteArrayView bytes() const { return m_bytes; }
    RecordKind kind() const;
    // Decodes one field; nullopt when the record is malformed up to it.
    std::optional<FieldValue> field(int index) const;
    // The Windows-1252 bytes of a text field, without decoding them; nullopt
    // when the field is not a text or the record is malformed up to its end.
    std::optional<QByteArrayView> textBytes(int index) const;
    // The number of an empty, integer or currency field (a currency as its
    // amount), straight from the bytes: these read the same as a number and as
    // money. NaN, which none of them can hold, for any other field or a record
    // malformed up to the field's end. Scans call this for every record, and
    // a plain double comes back in a register.
    double exactNumber(int index) const;
    // True when the field's text form equals `text`; a text field is compared
    // byte for byte with its Windows-1252 form `encoded`.
    bool fieldEquals(int index, const QString &text, QByteArrayView encoded) const;
    // Whether field 0 or field 2 is the text `encoded` (Windows-1252 bytes),
    // as fieldEquals would say for either, reading each record only once:
    // the item search compares both on every record of the file.
    bool nameOrNumberEquals(const QString &text, QByteArrayView encoded) const;
    Result<DataRecord> decode() const;

private:
    QByteArrayView m_bytes;
};
