#pragma once

#include "DataRecord.h"
#include "FileError.h"

#include <QFile>
#include <QString>

#include <functional>
#include <optional>

class RecordView;

// One open datafile for one operation; closed by the destructor on every path.
class DataFile
{
public:
    enum class Mode {
        Read,      // existing file, read only
        ReadWrite, // existing file, read and write
        Create,    // read and write; created when missing
        Truncate,  // read and write; created when missing, emptied when present
    };

    explicit DataFile(const QString &path);
    ~DataFile();
    DataFile(const DataFile &) = delete;
    DataFile &operator=(const DataFile &) = delete;

    // Fails with FileNotFound, PathAccess (a directory, a missing folder),
    // PermissionDenied, or BadFileFormat when the size is not a multiple of 128.
    FileError open(Mode mode);
    void close();
    bool isOpen() const;

    int recordCount() const;

    // Reads record n (1-based). Past the last record: ReadPastEnd, and
    // atEnd() is true afterwards.
    Result<DataRecord> read(int n);
    bool atEnd() const { return m_atEnd; }

    // Encodes and writes record n; nothing is written when the record does
    // not fit (BadRecordLength) or holds a character that cannot be stored.
    // Writing past the end extends the file with zero records.
    FileError write(int n, const DataRecord &record);
    // Writes already encoded bytes (exactly RecordLength) as record n.
    FileError writeRaw(int n, QByteArrayView bytes);

    // Visits records first..recordCount() in order, reading the file in large
    // blocks. `visit` returns false to stop. It may call write() for the
    // record it is given.
    FileError scan(int first, const std::function<bool(int n, const RecordView &)> &visit);
    // The same backwards: records last, last - 1, ... 1 (last is capped at
    // recordCount()).
    FileError scanBack(int last, const std::function<bool(int n, const RecordView &)> &visit);

    QString path() const;

    // Records per block read by the scans.
    static constexpr int BlockRecords = 512;

private:
    FileError mapError() const;
    FileError readBlock(int first, int count, QByteArray &buffer, int *got);
    QString m_path;
    QFile m_file;
    Mode m_mode = Mode::Read;
    bool m_atEnd = false;
};
