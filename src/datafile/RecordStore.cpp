#include "RecordStore.h"

#include "RecordCodec.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

qint64 failDeleteAfter = -1;

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

FileError saveFileError(const QSaveFile &file, int savedErrno)
{
    if (savedErrno == ENOSPC)
        return FileError::DiskFull;
    if (savedErrno == EACCES || savedErrno == EPERM || savedErrno == EROFS
        || file.error() == QFileDevice::PermissionsError)
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
    FileError error = file.open(DataFile::Mode::Read);
    if (error != FileError::None)
        return error;
    DataRecord first;
    error = file.read(1, first);
    if (error != FileError::None)
        return error;
    return first.Name.isText() && first.Name.toText() == SharedMarker ? FileError::None
                                                                      : FileError::BadFileFormat;
}

FileError RecordStore::readRecord(int n, DataRecord &out) const
{
    out = DataRecord();
    DataFile file(m_path);
    const FileError error = file.open(DataFile::Mode::Read);
    if (error != FileError::None)
        return error;
    return file.read(n, out);
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

int RecordStore::NextFreeRecord(FileError *error) const
{
    DataFile file(m_path);
    const FileError e = file.open(DataFile::Mode::Read);
    if (error)
        *error = e;
    if (e != FileError::None)
        return 0;
    return file.recordCount() + 1;
}

void RecordStore::failNextDeleteAfterBytes(qint64 bytes)
{
    failDeleteAfter = bytes;
}

FileError RecordStore::DeleteRecord(int n) const
{
    const qint64 failAfter = failDeleteAfter;
    failDeleteAfter = -1;

    if (n < FirstEntryRecord)
        return FileError::BadRecordNumber;
    DataFile source(m_path);
    FileError error = source.open(DataFile::Mode::Read);
    if (error != FileError::None)
        return error;
    if (n > source.recordCount())
        return FileError::BadRecordNumber;

    // Written beside the datafile so that the final rename stays on one file
    // system; QSaveFile keeps the old file's permissions, fsyncs before the
    // rename, and removes its temporary file when it is not committed.
    QSaveFile target(m_path);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return saveFileError(target, errno);

    qint64 written = 0;
    FileError writeError = FileError::None;
    auto writeOut = [&](const QByteArray &bytes) {
        qsizetype size = bytes.size();
        const bool injected = failAfter >= 0 && written + size > failAfter;
        if (injected)
            size = qsizetype(failAfter - written);
        if (size > 0 && target.write(bytes.constData(), size) != size) {
            writeError = saveFileError(target, errno);
            return false;
        }
        written += size;
        if (injected) {
            writeError = FileError::DeviceIO;
            return false;
        }
        return true;
    };

    constexpr qsizetype Chunk = qsizetype(DataFile::BlockRecords) * RecordLength;
    QByteArray pending;
    pending.reserve(Chunk);
    bool ok = true;
    error = source.scan(1, [&](int i, const RecordView &view) {
        if (i == n)
            return true;
        pending.append(view.bytes());
        if (pending.size() >= Chunk) {
            ok = writeOut(pending);
            pending.clear();
        }
        return ok;
    });
    if (error != FileError::None)
        return error; // the scan's own failure; the save file discards itself
    if (!ok || (!pending.isEmpty() && !writeOut(pending)))
        return writeError;
    source.close();

    if (!target.commit())
        return saveFileError(target, errno);
    syncDirectory(m_path);
    return FileError::None;
}

RecordStore::Found RecordStore::findFirst(int first,
                                          const std::function<bool(const RecordView &)> &match,
                                          FileError *error) const
{
    Found found;
    DataFile file(m_path);
    FileError e = file.open(DataFile::Mode::Read);
    if (e == FileError::None) {
        FileError decodeError = FileError::None;
        e = file.scan(first, [&](int n, const RecordView &view) {
            if (!match(view))
                return true;
            if (auto record = view.decode(&decodeError)) {
                found.record = n;
                found.data = std::move(*record);
            }
            return false;
        });
        if (e == FileError::None)
            e = decodeError;
    }
    if (error)
        *error = e;
    return found;
}

int RecordStore::updateEntries(const std::function<bool(const RecordView &)> &match,
                               const std::function<bool(int, DataRecord &)> &change,
                               FileError *error) const
{
    int written = 0;
    DataFile file(m_path);
    FileError e = file.open(DataFile::Mode::ReadWrite);
    if (e == FileError::None) {
        FileError stepError = FileError::None;
        e = file.scan(FirstEntryRecord, [&](int n, const RecordView &view) {
            if (!match(view))
                return true;
            auto record = view.decode(&stepError);
            if (!record)
                return false;
            if (change(n, *record)) {
                stepError = file.write(n, *record);
                if (stepError != FileError::None)
                    return false;
                ++written;
            }
            return true;
        });
        if (e == FileError::None)
            e = stepError;
    }
    if (error)
        *error = e;
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
