#include "RecordCodec.h"

#include "Cp1252.h"

#include <bit>
#include <cstring>

namespace {

using Type = FieldValue::Type;
using namespace RecordLayout;

void put(char *p, quint64 v, int bytes)
{
    for (int i = 0; i < bytes; ++i, v >>= 8)
        p[i] = char(v & 0xFF);
}

// Bytes taken by the field at `pos` (tag included).
Result<int> fieldLength(QByteArrayView bytes, qsizetype pos)
{
    const qsizetype limit = limitOf(bytes);
    if (pos + 2 > limit)
        return FileError::FieldPastRecord;
    const quint16 tag = get16(bytes.data() + pos);
    const int size = payloadSize(tag);
    if (size == -2)
        return FileError::UnknownFieldType;
    if (size >= 0) {
        if (pos + 2 + size > limit)
            return FileError::FieldPastRecord;
        return 2 + size;
    }
    if (pos + 4 > limit)
        return FileError::FieldPastRecord;
    const int length = get16(bytes.data() + pos + 2);
    if (pos + 4 + length > limit)
        return FileError::FieldPastRecord;
    return 4 + length;
}

Result<qsizetype> fieldOffset(QByteArrayView bytes, int index)
{
    const qsizetype pos = rawFieldOffset(bytes, index);
    if (pos < 0)
        return FileError(-pos);
    return pos;
}

// The field at `pos`; `consumed` gets the bytes it takes.
Result<FieldValue> decodeAt(QByteArrayView bytes, qsizetype pos, int *consumed)
{
    const Result<int> len = fieldLength(bytes, pos);
    if (!len)
        return len.error();
    *consumed = *len;
    const char *p = bytes.data() + pos + 2;
    switch (get16(bytes.data() + pos)) {
    case TagInt16:
        return FieldValue::fromInt16(qint16(get16(p)));
    case TagInt32:
        return FieldValue::fromInt32(qint32(get32(p)));
    case TagDouble:
        return FieldValue::fromDouble(std::bit_cast<double>(get64(p)));
    case TagCurrency:
        return FieldValue::fromCurrency(Currency::fromRaw(qint64(get64(p))));
    case TagDate:
        return FieldValue::fromDate(std::bit_cast<double>(get64(p)));
    case TagText:
        return FieldValue::fromText(Cp1252::decode(QByteArrayView(p + 2, *len - 4)));
    default:
        return FieldValue();
    }
}

int fieldSize(const FieldValue &f)
{
    switch (f.type()) {
    case Type::Empty:
        return 2;
    case Type::Int16:
        return 4;
    case Type::Int32:
        return 6;
    case Type::Double:
    case Type::Currency:
    case Type::Date:
        return 10;
    case Type::Text:
        return 4 + int(f.toText().size());
    }
    return 2;
}

} // namespace

namespace RecordCodec {

int encodedSize(const DataRecord &record)
{
    int size = 0;
    for (int i = 0; i < FieldCount; ++i)
        size += fieldSize(record.field(i));
    return size;
}

Result<QByteArray> encode(const DataRecord &record)
{
    if (encodedSize(record) > RecordLength)
        return FileError::BadRecordLength;
    QByteArray out(RecordLength, '\0');
    char *p = out.data();
    for (int i = 0; i < FieldCount; ++i) {
        const FieldValue &f = record.field(i);
        put(p, quint16(f.type()), 2);
        p += 2;
        switch (f.type()) {
        case Type::Empty:
            break;
        case Type::Int16:
            put(p, quint16(qint16(f.toNumber())), 2);
            p += 2;
            break;
        case Type::Int32:
            put(p, quint32(qint32(f.toNumber())), 4);
            p += 4;
            break;
        case Type::Double:
            put(p, std::bit_cast<quint64>(f.toNumber()), 8);
            p += 8;
            break;
        case Type::Currency:
            put(p, quint64(f.toCurrency().raw()), 8);
            p += 8;
            break;
        case Type::Date:
            put(p, std::bit_cast<quint64>(f.dateValue()), 8);
            p += 8;
            break;
        case Type::Text: {
            const QString text = f.toText();
            const auto bytes = Cp1252::encode(text);
            if (!bytes)
                return FileError::UnencodableText;
            put(p, quint16(bytes->size()), 2);
            std::memcpy(p + 2, bytes->constData(), size_t(bytes->size()));
            p += 2 + bytes->size();
            break;
        }
        }
    }
    return out;
}

Result<DataRecord> decode(QByteArrayView bytes)
{
    DataRecord record;
    qsizetype pos = 0;
    for (int i = 0; i < FieldCount; ++i) {
        int consumed = 0;
        Result<FieldValue> value = decodeAt(bytes, pos, &consumed);
        if (!value)
            return value.error();
        record.field(i) = std::move(*value);
        pos += consumed;
    }
    return record;
}

} // namespace RecordCodec

std::optional<FieldValue> RecordView::field(int index) const
{
    if (index < 0 || index >= FieldCount)
        return std::nullopt;
    const Result<qsizetype> pos = fieldOffset(m_bytes, index);
    if (!pos)
        return std::nullopt;
    int consumed = 0;
    Result<FieldValue> value = decodeAt(m_bytes, *pos, &consumed);
    if (!value)
        return std::nullopt;
    return std::move(*value);
}

bool RecordView::fieldEquals(int index, const QString &text, QByteArrayView encoded) const
{
    if (index < 0 || index >= FieldCount)
        return false;
    const qsizetype pos = rawFieldOffset(m_bytes, index);
    if (pos < 0)
        return false;
    const qsizetype limit = limitOf(m_bytes);
    const char *p = m_bytes.data() + pos;
    if (pos + 4 <= limit && get16(p) == TagText) {
        const int length = get16(p + 2);
        if (pos + 4 + length > limit)
            return false;
        // One byte per character, so a text of another length cannot match.
        if (length != text.size())
            return false;
        // An empty encoded form may have no data at all, which memcmp must not be given.
        if (length == 0)
            return true;
        // Names of one length often differ only at the end: that byte first.
        if (encoded.size() == length)
            return p[4 + length - 1] == encoded[length - 1]
                   && std::memcmp(p + 4, encoded.data(), size_t(length)) == 0;
        return Cp1252::decode(QByteArrayView(p + 4, length)) == text;
    }
    if (!fieldLength(m_bytes, pos))
        return false;
    int consumed = 0;
    const Result<FieldValue> value = decodeAt(m_bytes, pos, &consumed);
    return value && value->toText() == text;
}

bool RecordView::nameOrNumberEquals(const QString &text, QByteArrayView encoded) const
{
    // The common case, name and number both texts, straight from the bytes.
    const qsizetype limit = limitOf(m_bytes);
    const char *p = m_bytes.data();
    const auto textAt = [&](qsizetype pos, int *length) {
        if (pos + 4 > limit || get16(p + pos) != TagText)
            return false;
        *length = get16(p + pos + 2);
        return pos + 4 + *length <= limit;
    };
    // Names of one length often differ only at the end, so that is looked at first.
    const auto same = [&](qsizetype pos, int length) {
        return length == encoded.size()
               && (length == 0
                   || (p[pos + 4 + length - 1] == encoded[length - 1]
                       && std::memcmp(p + pos + 4, encoded.data(), size_t(length)) == 0));
    };
    int nameLength = 0;
    if (encoded.size() == text.size() && textAt(0, &nameLength)) {
        if (same(0, nameLength))
            return true;
        const qsizetype pricePos = 4 + nameLength;
        const int priceSize = pricePos + 2 <= limit ? payloadSize(get16(p + pricePos)) : -2;
        int numberLength = 0;
        if (priceSize >= 0 && textAt(pricePos + 2 + priceSize, &numberLength))
            return same(pricePos + 2 + priceSize, numberLength);
    }
    return fieldEquals(0, text, encoded) || fieldEquals(2, text, encoded);
}

Result<DataRecord> RecordView::decode() const
{
    return RecordCodec::decode(m_bytes);
}
