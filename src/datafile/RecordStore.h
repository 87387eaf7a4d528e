#pragma once

#include "DataFile.h"
#include "DataRecord.h"
#include "FileError.h"

#include <QDate>
#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

// The operations every window performs on the datafile at one path. Each call
// opens the file, does its work and closes it again before returning.
class RecordStore
{
public:
    explicit RecordStore(QString path) : m_path(std::move(path)) {}
    const QString &path() const { return m_path; }

    // Writes the 20 header records of a new datafile over whatever is at the path.
    FileError createNew(const QDate &today) const;

    // The check made when a datafile is opened: the file opens as a datafile
    // (see DataFile::open; every read, write and delete makes the same check).
    // Also removes the copies that deletes of this datafile left behind when
    // they were killed half-way.
    FileError testDatafile() const;

    // How a write ends. Synced puts it on the disk (DataFile::sync) before
    // returning, for the saves the user is told are done; Cached leaves that
    // to the system, for ringing, where speed counts.
    enum class Write { Cached, Synced };

    Result<DataRecord> readRecord(int n) const;
    FileError writeRecord(int n, const DataRecord &record, Write how = Write::Cached) const;
    // Reads record n, lets `change` alter it and writes it back, synced, in
    // one exclusive open. Nothing is written when `change` returns false.
    FileError updateRecord(int n, const std::function<bool(DataRecord &)> &change) const;
    // Settings kept in several records, read in one open and written together
    // in one exclusive open, synced; nothing is written when one of them does
    // not fit or cannot be stored.
    Result<QList<DataRecord>> readRecords(const QList<int> &numbers) const;
    FileError writeRecords(const QList<std::pair<int, DataRecord>> &records) const;

    // The number of records in the file + 1: where a new entry would be
    // appended now (DatabaseFullRecord on a full file). Another program may
    // append before this one does: to add an entry, use append.
    Result<int> NextFreeRecord() const;
    // Writes `record`, synced, after the last record (never over a header
    // record), its number taken under the lock. Gives that number, or
    // DatabaseFullRecord with nothing written when the file is full.
    Result<int> append(const DataRecord &record) const;

    // Moves the file at the path aside to a dated backup in its folder
    // (backupFileName, the first name not taken) and gives the backup's path;
    // on failure nothing has moved. A datafile has its journal played into it
    // first and stays locked while it moves: the backup is whole, and a till
    // that waited opens whatever takes its place.
    Result<QString> moveAside(const QDateTime &at) const;

    // Removes record n (>= FirstEntryRecord); every later record moves down by
    // one. The new file is written beside the old one (named after it, with
    // ".tallybird-delete-" and six random characters), takes its mode, owner
    // and group as far as the system allows, and is renamed over it, so on any
    // failure the old file is left byte for byte as it was and no temporary
    // file remains. A partial record at the end is not copied. Through a
    // symbolic link, the file it points to is replaced and the link stays.
    FileError DeleteRecord(int n) const;
    // The same, but only while record n still holds `shown`: false, with
    // nothing changed, when another program has changed or moved it since.
    Result<bool> deleteShown(int n, const DataRecord &shown) const;
    // Replaces the datafile with what `write` puts into a new file: written
    // beside the old one and renamed over it as DeleteRecord does, so on any
    // failure the old file is left byte for byte as it was. `write` gets the
    // datafile opened for reading.
    FileError
    rewrite(const std::function<FileError(DataFile &source, QIODevice &target)> &write) const;
    // Writes `bytes` as the new file `target` the same way, with the mode,
    // owner and group of the file at `like`. Fails with PathAccess when
    // `target` exists.
    static FileError writeNewFile(const QString &target, QByteArrayView bytes, const QString &like);

    // The copy DeleteRecord makes: every record of `source` but record n,
    // written to `target` in large blocks.
    static FileError copyWithout(DataFile &source, int n, QIODevice &target);

    // The first record from `first` on whose view satisfies `match`.
    struct Found {
        int record = 0; // 0: none
        DataRecord data;
    };
    Result<Found> findFirst(int first, const std::function<bool(const RecordView &)> &match) const;
    // The same in an open file, among records first..last.
    static Result<Found> findFirst(DataFile &file, int first, int last,
                                   const std::function<bool(const RecordView &)> &match);

    // Visits each entry (record 21 on) that `match` accepts and lets `change`
    // alter it; a record `change` returns true for is written back.
    // Gives the number of records written, synced.
    Result<int> updateEntries(const std::function<bool(const RecordView &)> &match,
                              const std::function<bool(int n, DataRecord &)> &change) const;

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
