#pragma once

#include "DataRecord.h"
#include "FileError.h"
#include "FileStamp.h"
#include "Journal.h"
#include "RecordCodec.h"

#include <QFile>
#include <QString>

#include <functional>
#include <limits>
#include <memory>
#include <optional>

// One open datafile for one operation; closed by the destructor on every path.
//
// Several programs may share the datafile (tills and a back office on one
// folder): every open takes an advisory lock on the file for the whole
// operation, shared to read and exclusive for every other mode, and holds it
// until close. The locks are open file description locks (fcntl), which work
// over NFS and SMB, die with the process and also keep two operations of one
// program apart. An operation must therefore never open the datafile twice
// at once.
class DataFile
{
public:
    enum class Mode {
        Read,      // existing file, read only
        ReadWrite, // existing file, read and write
        Create,    // read and write; created when missing
        Truncate,  // read and write; created when missing, emptied when present
        Journaled, // existing file, read and write, for writeTogether: the
                   // sales before it may stay in the journal unsynced
    };

    explicit DataFile(const QString &path);
    // The same on a QFile of the caller's (a subclass whose writes fail, in tests).
    DataFile(const QString &path, std::unique_ptr<QFile> file);
    ~DataFile();
    DataFile(const DataFile &) = delete;
    DataFile &operator=(const DataFile &) = delete;

    // Fails with FileNotFound, PathAccess (a directory, a missing folder),
    // PermissionDenied (also for every mode but Read on a file without any
    // write permission), or Locked when another operation kept the lock past
    // lockPatience(). Read and ReadWrite, and Create on a file that is not
    // empty, open only a datafile: BadFileFormat when the file holds no whole
    // record, is larger than MaxSize or record 1 is not a header record (also
    // when it does not decode, as a text file's, unless its field 0 is the
    // header's "***": then the decoder's error). Truncate empties any file.
    FileError open(Mode mode);
    void close();
    bool isOpen() const;
    // Puts what was written on the disk (fdatasync) before an operation says
    // it is done.
    FileError sync();
    // Writes that land whole, with a text file's bytes (a sale's records and
    // its log entry), in Journaled mode: stored in the journal and synced
    // there, then written here. Nothing of them stays when this fails.
    FileError writeTogether(const QList<std::pair<int, DataRecord>> &records,
                            const std::optional<Journal::SideWrite> &side);
    // The same with records already encoded, RecordLength bytes each.
    FileError writeTogether(const QList<std::pair<int, QByteArray>> &encoded,
                            const std::optional<Journal::SideWrite> &side);
    // Before the side file is written: where its bytes will go (path and
    // offset), so that a program killed before writeTogether has them cut
    // off by the next open. dropIntent() when it stops before writeTogether.
    FileError intendSide(const Journal::SideWrite &where);
    void dropIntent();

    // How long an open waits for another program's lock, and what it tells
    // the user meanwhile: `waiting(true)` once the wait has lasted a moment,
    // `waiting(false)` when it ends. Program-wide; the program sets them once.
    static void setLockPatience(int ms);
    static int lockPatience();
    static void setLockWaitNotice(std::function<void(bool waiting)> notice);

    // Whole records only: a partial record at the end, left by an append that
    // was cut short, is not counted, and the next append overwrites it.
    int recordCount() const;
    // The bytes past the last whole record.
    int partialBytes() const;

    // Reads record n (1-based). Past the last record: ReadPastEnd, and
    // atEnd() is true afterwards.
    Result<DataRecord> read(int n);
    // The same as stored, RecordLength bytes.
    Result<QByteArray> readRaw(int n);
    bool atEnd() const { return m_atEnd; }

    // Encodes and writes record n; nothing is written when the record does
    // not fit (BadRecordLength) or holds a character that cannot be stored.
    // Writing past the end extends the file with zero records. When a write
    // at or past the end fails, the file is cut back to its whole records.
    FileError write(int n, const DataRecord &record);
    // Writes already encoded bytes (exactly RecordLength) as record n.
    FileError writeRaw(int n, QByteArrayView bytes);

    // Visits records first..recordCount() in order, reading the file in large
    // blocks. `visit(int n, const RecordView &)` returns false to stop. It may
    // call write() for the record it is given. A template, so that a scan of
    // the whole file calls the visit without an indirection per record.
    template<typename Visit>
    FileError scan(int first, Visit &&visit)
    {
        return scan(first, std::numeric_limits<int>::max(), std::forward<Visit>(visit));
    }
    // The same up to record `last` at most, reading no further.
    template<typename Visit>
    FileError scan(int first, int last, Visit &&visit)
    {
        if (!isOpen())
            return FileError::DeviceIO;
        first = std::max(first, 1);
        const int count = std::min(recordCount(), last);
        QByteArray buffer;
        for (int start = first; start <= count; start += BlockRecords) {
            const int want = std::min(BlockRecords, count - start + 1);
            int got = 0;
            if (const FileError error = readBlock(start, want, buffer, &got);
                error != FileError::None)
                return error;
            for (int i = 0; i < got; ++i) {
                const RecordView view(
                    QByteArrayView(buffer.constData() + qsizetype(i) * RecordLength, RecordLength));
                if (!visit(start + i, view))
                    return FileError::None;
            }
            if (got < want)
                break;
        }
        m_atEnd = count == recordCount();
        return FileError::None;
    }
    // The same backwards: records last, last - 1, ... 1 (last is capped at
    // recordCount()).
    FileError scanBack(int last, const std::function<bool(int n, const RecordView &)> &visit);

    // Records first..recordCount() in one read, RecordLength bytes each:
    // for work that looks at every record in memory, such as a report.
    Result<QByteArray> readRecords(int first);

    QString path() const;

    // Records per block read by the scans.
    static constexpr int BlockRecords = 512;
    // The largest datafile: every record and a partial one, left by an append
    // that was cut short. A larger file is not a datafile.
    static constexpr qint64 MaxSize = qint64(MaxRecords) * RecordLength + RecordLength - 1;

private:
    // True once the lock is held on the file the path names.
    Result<bool> lock(int fd, bool exclusive, const QByteArray &nativePath);
    // A reader's open past writes it cannot undo for lack of write access.
    FileError openUnchecked(Mode mode, const QByteArray &native);
    FileError finishOpen(int fd, Mode mode);
    FileError mapError() const;
    // Resizes the file and the size kept.
    bool resize(qint64 size);
    FileError readBlock(int first, int count, QByteArray &buffer, int *got);
    QString m_path;
    std::unique_ptr<Journal> m_journal; // Journaled mode
    std::unique_ptr<QFile> m_owned;
    QFile &m_file;
    Mode m_mode = Mode::Read;
    qint64 m_size = 0; // bytes; kept, as only this opening can change it
    bool m_atEnd = false;
};
