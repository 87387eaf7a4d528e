#include "RecordStore.h"

#include "RecordCodec.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Makes the rename of a rebuilt file durable, not only its contents.
void syncDirectory(const QString &filePath)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(filePath).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// What a failed write to `device` means, told by the errno it left.
FileError writeError(const QIODevice &device, int savedErrno)
{
    if (savedErrno == ENOSPC)
        return FileError::DiskFull;
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    if (savedErrno == EACCES || savedErrno == EPERM || savedErrno == EROFS
        || (file && file->error() == QFileDevice::PermissionsError))
        return FileError::PermissionDenied;
    return FileError::DeviceIO;
}

} // namespace

FileError RecordStore::createNew(const QDate &today) const
{
    DataFile file(m_path);
    FileError error = file.open(DataFile::Mode::Truncate);
    if (error != FileError::None)
        return error;
    const auto headers = newHeaderRecords(today);
    for (int i = 0; i < HeaderRecords; ++i) {
        error = file.write(i + 1, headers[i]);
        if (error != FileError::None)
            return error;
    }
    return FileError::None;
}

FileError RecordStore::testDatafile() const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    const Result<DataRecord> first = file.read(1);
    if (!first)
        return first.error();
    return first->Name.isText() && first->Name.toText() == SharedMarker ? FileError::None
                                                                        : FileError::BadFileFormat;
}

Result<DataRecord> RecordStore::readRecord(int n) const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return file.read(n);
}

// Only an existing datafile is written to: creating one here would leave a
// file of zero records before n, which no later open accepts as a datafile.
FileError RecordStore::writeRecord(int n, const DataRecord &record) const
{
    DataFile file(m_path);
    const FileError error = file.open(DataFile::Mode::ReadWrite);
    if (error != FileError::None)
        return error;
    return file.write(n, record);
}

Result<int> RecordStore::NextFreeRecord() const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return file.recordCount() + 1;
}

FileError RecordStore::copyWithout(DataFile &source, int n, QIODevice &target)
{
    constexpr qsizetype Chunk = qsizetype(DataFile::BlockRecords) * RecordLength;
    QByteArray pending;
    pending.reserve(Chunk);
    FileError failed = FileError::None;
    const auto flush = [&] {
        if (target.write(pending) != pending.size()) {
            failed = writeError(target, errno);
            return false;
        }
        pending.clear();
        return true;
    };
    const FileError error = source.scan(1, [&](int i, const RecordView &view) {
        if (i == n)
            return true;
        pending.append(view.bytes());
        return pending.size() < Chunk || flush();
    });
    if (error != FileError::None)
        return error;
    if (failed == FileError::None && !pending.isEmpty())
        flush();
    return failed;
}

FileError RecordStore::DeleteRecord(int n) const
{
    if (n < FirstEntryRecord)
        return FileError::BadRecordNumber;
    DataFile source(m_path);
    if (const FileError error = source.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    if (n > source.recordCount())
        return FileError::BadRecordNumber;

    // Written beside the datafile so that the final rename stays on one file
    // system; QSaveFile keeps the old file's permissions, fsyncs before the
    // rename, and removes its temporary file when it is not committed.
    QSaveFile target(m_path);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return writeError(target, errno);
    if (const FileError error = copyWithout(source, n, target); error != FileError::None)
        return error; // the save file discards itself
    source.close();

    if (!target.commit())
        return writeError(target, errno);
    syncDirectory(m_path);
    return FileError::None;
}

Result<RecordStore::Found>
RecordStore::findFirst(int first, const std::function<bool(const RecordView &)> &match) const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return findFirst(file, first, MaxRecords, match);
}

Result<RecordStore::Found>
RecordStore::findFirst(DataFile &file, int first, int last,
                       const std::function<bool(const RecordView &)> &match)
{
    Found found;
    FileError decodeError = FileError::None;
    const FileError error = file.scan(first, [&](int n, const RecordView &view) {
        if (n > last)
            return false;
        if (!match(view))
            return true;
        Result<DataRecord> record = view.decode();
        if (record) {
            found.record = n;
            found.data = std::move(*record);
        } else {
            decodeError = record.error();
        }
        return false;
    });
    if (error != FileError::None)
        return error;
    if (decodeError != FileError::None)
        return decodeError;
    return found;
}

Result<int> RecordStore::updateEntries(const std::function<bool(const RecordView &)> &match,
                                       const std::function<bool(int, DataRecord &)> &change) const
{
    int written = 0;
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    FileError stepError = FileError::None;
    const FileError error = file.scan(FirstEntryRecord, [&](int n, const RecordView &view) {
        if (!match(view))
            return true;
        Result<DataRecord> record = view.decode();
        if (!record) {
            stepError = record.error();
            return false;
        }
        if (change(n, *record)) {
            stepError = file.write(n, *record);
            if (stepError != FileError::None)
                return false;
            ++written;
        }
        return true;
    });
    if (error != FileError::None)
        return error;
    if (stepError != FileError::None)
        return stepError;
    return written;
}

namespace Kinds {

bool isItem(const RecordView &r)
{
    return r.kind() == RecordKind::Item;
}
bool isCustomer(const RecordView &r)
{
    return r.kind() == RecordKind::Customer;
}
bool isCashier(const RecordView &r)
{
    return r.kind() == RecordKind::Cashier;
}
bool isItemOrFree(const RecordView &r)
{
    const RecordKind kind = r.kind();
    return kind == RecordKind::Item || kind == RecordKind::Free;
}

} // namespace Kinds
