#pragma once

#include "common/TempDir.h"

#include "datafile/Cp1252.h"
#include "datafile/DataFile.h"
#include "datafile/MoneyText.h"
#include "datafile/OleDate.h"
#include "datafile/PickList.h"
#include "datafile/Privileges.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTest>

// Builders for records and datafiles shared by the datafile tests.
namespace Fixtures {

inline const QDate Today(2024, 3, 15); // day 45366

inline DataRecord item(const QString &name, const QString &number = QString())
{
    DataRecord r;
    r.Name = FieldValue::fromText(name);
    r.Number = FieldValue::fromText(number);
    r.Price = FieldValue::fromCurrency(Currency::fromRaw(12500));
    r.Sold = FieldValue::fromText(QStringLiteral("0"));
    r.Stock = FieldValue::fromText(QStringLiteral("10"));
    r.Remaining = FieldValue::fromText(QStringLiteral("10"));
    return r;
}

inline DataRecord customer(const QString &name)
{
    DataRecord r;
    r.Name = FieldValue::fromText(SharedMarker);
    r.Number = FieldValue::fromText(name);
    return r;
}

inline DataRecord cashier(const QString &name)
{
    DataRecord r;
    r.Name = FieldValue::fromText(CashierMarker);
    r.Number = FieldValue::fromText(name);
    r.SpareC = FieldValue::fromText(Privileges::master().toString());
    return r;
}

// Field 0 is the text "" rather than the empty value: also a free record.
inline DataRecord freeRecord()
{
    DataRecord r;
    r.Name = FieldValue::fromText(QString());
    return r;
}

// A new datafile with `entries` from record 21 on.
inline QString makeDatafile(const TempDir &dir, const QList<DataRecord> &entries,
                            const QString &name = QStringLiteral("shop.tb2"))
{
    const QString path = dir.path(name);
    const RecordStore store(path);
    if (store.createNew(Today) != FileError::None)
        return QString();
    DataFile file(path);
    if (file.open(DataFile::Mode::ReadWrite) != FileError::None)
        return QString();
    for (int i = 0; i < entries.size(); ++i) {
        if (file.write(FirstEntryRecord + i, entries[i]) != FileError::None)
            return QString();
    }
    return path;
}

inline QByteArray encoded(const DataRecord &r)
{
    return *RecordCodec::encode(r);
}

inline QByteArray recordBytes(const QByteArray &file, int n)
{
    return file.mid(qsizetype(n - 1) * RecordLength, RecordLength);
}

// Sets the default locale for one test and puts the old one back.
class LocaleGuard
{
public:
    explicit LocaleGuard(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(m_old); }
    LocaleGuard(const LocaleGuard &) = delete;
    LocaleGuard &operator=(const LocaleGuard &) = delete;

private:
    QLocale m_old;
};

// Record bytes written out field by field, independently of the encoder.
class Bytes
{
public:
    Bytes &tag(quint16 t)
    {
        m_b.append(char(t & 0xFF));
        m_b.append(char(t >> 8));
        return *this;
    }
    Bytes &empty() { return tag(0); }
    Bytes &int16(qint16 v) { return tag(2).raw(quint16(v), 2); }
    Bytes &int32(qint32 v) { return tag(3).raw(quint32(v), 4); }
    Bytes &text(const QByteArray &latin)
    {
        tag(8).raw(quint64(latin.size()), 2);
        m_b.append(latin);
        return *this;
    }
    Bytes &raw(quint64 v, int n)
    {
        for (int i = 0; i < n; ++i, v >>= 8)
            m_b.append(char(v & 0xFF));
        return *this;
    }
    Bytes &bytes(const QByteArray &b)
    {
        m_b.append(b);
        return *this;
    }
    Bytes &emptyFields(int n)
    {
        for (int i = 0; i < n; ++i)
            empty();
        return *this;
    }
    qsizetype size() const { return m_b.size(); }
    // Zero padding up to the record length.
    QByteArray record() const
    {
        QByteArray r = m_b;
        if (r.size() < RecordLength)
            r.append(QByteArray(RecordLength - r.size(), '\0'));
        return r;
    }
    QByteArray unpadded() const { return m_b; }

private:
    QByteArray m_b;
};

} // namespace Fixtures

// Failure messages show the error number.
inline char *toString(FileError e)
{
    return qstrdup(QByteArray::number(errorNumber(e)).constData());
}

Q_DECLARE_METATYPE(FileError)
Q_DECLARE_METATYPE(FieldValue)
Q_DECLARE_METATYPE(FieldValue::Type)
Q_DECLARE_METATYPE(RecordKind)
Q_DECLARE_METATYPE(DataFile::Mode)
