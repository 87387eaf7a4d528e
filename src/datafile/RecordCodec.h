#pragma once

#include "DataRecord.h"
#include "FileError.h"
#include "RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstring>
#include <limits>
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

// The per-record reads of the scans, inline for the same reason as the layout.
inline RecordKind RecordView::kind() const
{
    using namespace RecordLayout;
    // Only field 0 is looked at, straight from the bytes: scans call this for
    // every record of the file.
    const qsizetype limit = limitOf(m_bytes);
    if (limit < 2)
        return RecordKind::Free;
    const char *p = m_bytes.data();
    const quint16 tag = get16(p);
    if (tag == TagEmpty)
        return RecordKind::Free;
    if (tag != TagText || limit < 4)
        return RecordKind::Item;
    const int length = get16(p + 2);
    if (length == 0)
        return RecordKind::Free;
    if (length == 3 && 4 + length <= limit) {
        if (std::memcmp(p + 4, "***", 3) == 0)
            return RecordKind::Customer;
        if (std::memcmp(p + 4, "*+*", 3) == 0)
            return RecordKind::Cashier;
    }
    // Also a malformed name: it is nobody's marker, and reading it reports the fault.
    return RecordKind::Item;
}

inline std::optional<QByteArrayView> RecordView::textBytes(int index) const
{
    using namespace RecordLayout;
    if (index < 0 || index >= FieldCount)
        return std::nullopt;
    const qsizetype pos = rawFieldOffset(m_bytes, index);
    const qsizetype limit = limitOf(m_bytes);
    if (pos < 0 || pos + 4 > limit || get16(m_bytes.data() + pos) != TagText)
        return std::nullopt;
    const int length = get16(m_bytes.data() + pos + 2);
    if (pos + 4 + length > limit)
        return std::nullopt;
    return QByteArrayView(m_bytes.data() + pos + 4, length);
}

inline double RecordView::exactNumber(int index) const
{
    using namespace RecordLayout;
    if (index < 0 || index >= FieldCount)
        return std::numeric_limits<double>::quiet_NaN();
    const qsizetype pos = rawFieldOffset(m_bytes, index);
    if (pos < 0 || pos + 2 > limitOf(m_bytes))
        return std::numeric_limits<double>::quiet_NaN();
    const quint16 tag = get16(m_bytes.data() + pos);
    if (tag != TagEmpty && tag != TagInt16 && tag != TagInt32 && tag != TagCurrency)
        return std::numeric_limits<double>::quiet_NaN();
    if (pos + 2 + payloadSize(tag) > limitOf(m_bytes))
        return std::numeric_limits<double>::quiet_NaN();
    const char *p = m_bytes.data() + pos + 2;
    switch (tag) {
    case TagInt16:
        return double(qint16(get16(p)));
    case TagInt32:
        return double(qint32(get32(p)));
    case TagCurrency:
        return Currency::fromRaw(qint64(get64(p))).toDouble();
    default:
        return 0.0;
    }
}
