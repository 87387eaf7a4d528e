#pragma once

#include "DataRecord.h"
#include "FieldValue.h"
#include "FileError.h"

#include <QByteArrayView>
#include <QtEndian>

#include <algorithm>

// The layout of a record's bytes: 16-bit little-endian tags, each followed
// by its payload, a text by its 16-bit length and bytes. Inline, so that the
// scans that look at a field or two of every record of the file read them
// without a call per record.
namespace RecordLayout {

inline constexpr quint16 TagEmpty = quint16(FieldValue::Type::Empty);
inline constexpr quint16 TagInt16 = quint16(FieldValue::Type::Int16);
inline constexpr quint16 TagInt32 = quint16(FieldValue::Type::Int32);
inline constexpr quint16 TagDouble = quint16(FieldValue::Type::Double);
inline constexpr quint16 TagCurrency = quint16(FieldValue::Type::Currency);
inline constexpr quint16 TagDate = quint16(FieldValue::Type::Date);
inline constexpr quint16 TagText = quint16(FieldValue::Type::Text);

inline quint16 get16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

inline quint32 get32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

inline quint64 get64(const char *p)
{
    return qFromLittleEndian<quint64>(p);
}

// Payload size of a fixed-size tag; -1 for text, -2 for a tag this format has not.
inline int payloadSize(quint16 tag)
{
    switch (tag) {
    case TagEmpty:
        return 0;
    case TagInt16:
        return 2;
    case TagInt32:
        return 4;
    case TagDouble:
    case TagCurrency:
    case TagDate:
        return 8;
    case TagText:
        return -1;
    default:
        return -2;
    }
}

inline qsizetype limitOf(QByteArrayView bytes)
{
    return std::min<qsizetype>(bytes.size(), RecordLength);
}

// Where field `index` starts, or the error (negated) that stops the walk to
// it. The searches call this for every record of the file: the checks of
// fieldLength, without a result per field.
inline qsizetype rawFieldOffset(QByteArrayView bytes, int index)
{
    const qsizetype limit = limitOf(bytes);
    const char *data = bytes.data();
    qsizetype pos = 0;
    for (int i = 0; i < index; ++i) {
        if (pos + 2 > limit)
            return -qsizetype(FileError::ReadPastEnd);
        const int size = payloadSize(get16(data + pos));
        if (size == -2)
            return -qsizetype(FileError::UnknownFieldType);
        if (size >= 0) {
            pos += 2 + size;
        } else {
            if (pos + 4 > limit)
                return -qsizetype(FileError::ReadPastEnd);
            pos += 4 + get16(data + pos + 2);
        }
        if (pos > limit)
            return -qsizetype(FileError::ReadPastEnd);
    }
    return pos;
}

} // namespace RecordLayout
