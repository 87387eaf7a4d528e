#pragma once

#include "DataFile.h"
#include "DataRecord.h"
#include "FileError.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The operations every window performs on the datafile at one path. Each call
// opens the file, does its work and closes it again before returning.
class RecordStore
{
public:
    explicit RecordStore(QString path) : m_path(std::move(path)) {}
    const QString &path() const { return m_path; }

    // Writes the 20 header records of a new datafile over whatever is at the path.
    FileError createNew(const QDate &today) const;

    // Reads record 1 and checks that it is a header record (field 0 "***").
    FileError testDatafile() const;

    FileError readRecord(int n, DataRecord &out) const;
    FileError writeRecord(int n, const DataRecord &record) const;

    // The number of records in the file + 1: where a new entry is appended.
    // 0 when the file cannot be read.
    int NextFreeRecord(FileError *error = nullptr) const;

    // Removes record n (>= FirstEntryRecord); every later record moves down by
    // one. The new file is written beside the old one and renamed over it, so
    // on any failure the old file is left byte for byte as it was and no
    // temporary file remains.
    FileError DeleteRecord(int n) const;

    // Records from `first` on whose view satisfies `match`; the first match.
    struct Found {
        int record = 0; // 0: none
        DataRecord data;
    };
    Found findFirst(int first, const std::function<bool(const RecordView &)> &match,
                    FileError *error = nullptr) const;

    // Visits each entry (record 21 on) that `match` accepts and lets `change`
    // alter it; a record `change` returns true for is written back.
    // Returns the number of records written.
    int updateEntries(const std::function<bool(const RecordView &)> &match,
                      const std::function<bool(int n, DataRecord &)> &change,
                      FileError *error = nullptr) const;

    // Test hook: make the next DeleteRecord fail after writing this many bytes
    // of the new file (-1: never).
    static void failNextDeleteAfterBytes(qint64 bytes);

private:
    QString m_path;
};

// The kind predicates of the scans.
namespace Kinds {
bool isItem(const RecordView &r);       // not "***", not "*+*", not free
bool isCustomer(const RecordView &r);   // "***"
bool isCashier(const RecordView &r);    // "*+*"
bool isItemOrFree(const RecordView &r); // not "***" and not "*+*"
} // namespace Kinds
