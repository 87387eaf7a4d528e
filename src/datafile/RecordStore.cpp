#include "RecordStore.h"

#include "BackupName.h"
#include "FileDeviceError.h"
#include "NativePath.h"
#include "RecordCodec.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The copy a delete writes is named after its datafile, "shop.tb2" giving
// "shop.tb2.tallybird-delete-" and six random characters, and is locked while
// the delete runs.
const QByteArray CopyTag = QByteArrayLiteral(".tallybird-delete-");
constexpr int CopyRandomChars = 6;

struct SplitPath {
    QByteArray dir;
    QByteArray name;
};

SplitPath splitPath(const QByteArray &native)
{
    const qsizetype slash = native.lastIndexOf('/');
    if (slash < 0)
        return {QByteArrayLiteral("."), native};
    return {slash == 0 ? QByteArrayLiteral("/") : native.left(slash), native.mid(slash + 1)};
}

// Makes the rename of a rebuilt file durable, not only its contents.
void syncDirectory(const QByteArray &native)
{
    const int fd = ::open(splitPath(native).dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Removes the copies that deletes of this datafile left behind when they were
// killed. A copy whose delete still runs is locked by it and stays.
void removeStaleCopies(const QByteArray &native)
{
    const SplitPath where = splitPath(native);
    const QByteArray prefix = where.name + CopyTag;
    DIR *dir = ::opendir(where.dir.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(prefix) || name.size() != prefix.size() + CopyRandomChars)
            continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st {
        };
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// Renames `from` to `to` unless `to` exists (then fails with EEXIST).
int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // A file system that cannot be told not to replace: looked at first.
    struct stat st {
    };
    if (::lstat(to.constData(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

// The new file a delete or another rewrite writes, beside the old one; removed again unless
// it was renamed over the old one.
class ReplacementCopy
{
public:
    explicit ReplacementCopy(const QByteArray &native)
        : m_path(native + CopyTag + QByteArray(CopyRandomChars, 'X'))
    {
        m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
        if (m_fd < 0)
            m_error = fileErrorOfErrno(errno);
        else
            ::flock(m_fd, LOCK_EX);
    }
    ~ReplacementCopy()
    {
        if (m_fd < 0)
            return;
        if (!m_renamed)
            ::unlink(m_path.constData());
        ::close(m_fd);
    }
    ReplacementCopy(const ReplacementCopy &) = delete;
    ReplacementCopy &operator=(const ReplacementCopy &) = delete;

    FileError error() const { return m_error; }
    int fd() const { return m_fd; }

    // The owner and group first: changing them may clear the set-id bits.
    // An owner or group this user may not give stays as the system made it.
    void takeOwnerAndMode(const struct stat &old) const
    {
        if (::fchown(m_fd, old.st_uid, old.st_gid) != 0)
            (void)!::fchown(m_fd, uid_t(-1), old.st_gid);
        ::fchmod(m_fd, old.st_mode & 07777);
    }

    FileError commitOver(const QByteArray &native)
    {
        if (::fsync(m_fd) != 0 || ::rename(m_path.constData(), native.constData()) != 0)
            return fileErrorOfErrno(errno);
        m_renamed = true;
        syncDirectory(native);
        return FileError::None;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
    FileError m_error = FileError::None;
    bool m_renamed = false;
};

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

Result<QString> RecordStore::moveAside(const QDateTime &at) const
{
    DataFile held(m_path);
    // Any other failure to open is a file that is not a datafile (or cannot be
    // written): there is no journal to play, and it moves as it is.
    if (const FileError error = held.open(DataFile::Mode::ReadWrite); error == FileError::Locked)
        return error;
    const QByteArray from = NativePath::encode(m_path);
    const QString folder = m_path.left(m_path.lastIndexOf(QLatin1Char('/')) + 1);
    for (int nth = 1; nth <= 999; ++nth) {
        const QString target = folder + backupFileName(m_path, at, nth);
        if (renameNoReplace(from, NativePath::encode(target)) == 0) {
            syncDirectory(from);
            return target;
        }
        if (errno != EEXIST)
            return fileErrorOfErrno(errno, target);
    }
    return FileError::PathAccess;
}

FileError RecordStore::testDatafile() const
{
    DataFile file(m_path);
    const FileError error = file.open(DataFile::Mode::Read);
    if (error == FileError::None)
        removeStaleCopies(NativePath::resolved(NativePath::encode(m_path)));
    return error;
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
FileError RecordStore::writeRecord(int n, const DataRecord &record, Write how) const
{
    DataFile file(m_path);
    FileError error = file.open(DataFile::Mode::ReadWrite);
    if (error == FileError::None)
        error = file.write(n, record);
    if (error == FileError::None && how == Write::Synced)
        error = file.sync();
    return error;
}

Result<QList<DataRecord>> RecordStore::readRecords(const QList<int> &numbers) const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    QList<DataRecord> records;
    for (const int n : numbers) {
        Result<DataRecord> record = file.read(n);
        if (!record)
            return record.error();
        records.append(std::move(*record));
    }
    return records;
}

FileError RecordStore::writeRecords(const QList<std::pair<int, DataRecord>> &records) const
{
    for (const auto &[n, record] : records)
        if (const Result<QByteArray> encoded = RecordCodec::encode(record); !encoded)
            return encoded.error();
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    for (const auto &[n, record] : records)
        if (const FileError error = file.write(n, record); error != FileError::None)
            return error;
    return file.sync();
}

FileError RecordStore::updateRecord(int n, const std::function<bool(DataRecord &)> &change) const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    Result<DataRecord> record = file.read(n);
    if (!record)
        return record.error();
    if (!change(*record))
        return FileError::None;
    if (const FileError error = file.write(n, *record); error != FileError::None)
        return error;
    return file.sync();
}

Result<int> RecordStore::NextFreeRecord() const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return file.recordCount() + 1;
}

Result<int> RecordStore::append(const DataRecord &record) const
{
    DataFile file(m_path);
    if (const FileError error = file.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;
    const int n = std::max(file.recordCount() + 1, FirstEntryRecord);
    if (n > MaxRecords)
        return DatabaseFullRecord;
    FileError error = file.write(n, record);
    if (error == FileError::None)
        error = file.sync();
    if (error != FileError::None)
        return error;
    return n;
}

FileError RecordStore::copyWithout(DataFile &source, int n, QIODevice &target)
{
    constexpr qsizetype Chunk = qsizetype(DataFile::BlockRecords) * RecordLength;
    QByteArray pending;
    pending.reserve(Chunk);
    FileError failed = FileError::None;
    const auto flush = [&] {
        if (target.write(pending) != pending.size()) {
            failed = fileErrorOf(target);
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
    return rewrite([n](DataFile &source, QIODevice &target) {
        if (n > source.recordCount())
            return FileError::BadRecordNumber;
        return copyWithout(source, n, target);
    });
}

Result<bool> RecordStore::deleteShown(int n, const DataRecord &shown) const
{
    if (n < FirstEntryRecord)
        return FileError::BadRecordNumber;
    bool same = false;
    const FileError error = rewrite([&](DataFile &source, QIODevice &target) {
        const Result<DataRecord> stored = source.read(n);
        same = stored && *stored == shown;
        // A refusal ends the rewrite before the new file replaces the old.
        return same ? copyWithout(source, n, target) : FileError::BadRecordNumber;
    });
    if (error != FileError::None)
        return same ? Result<bool>(error) : Result<bool>(false);
    return true;
}

FileError RecordStore::rewrite(
    const std::function<FileError(DataFile &source, QIODevice &target)> &write) const
{
    // Exclusive until the new file has replaced it: another program waiting
    // to write then finds the new file, not the old one.
    DataFile source(m_path);
    if (const FileError error = source.open(DataFile::Mode::ReadWrite); error != FileError::None)
        return error;

    // A datafile reached through a link is replaced where it lies: the link
    // stays, and every till sees the new file.
    const QByteArray native = NativePath::resolved(NativePath::encode(m_path));
    struct stat old {
    };
    if (::stat(native.constData(), &old) != 0)
        return fileErrorOfErrno(errno);
    removeStaleCopies(native);

    // Written beside the datafile so that the final rename stays on one file
    // system; until that rename the old file is untouched.
    ReplacementCopy copy(native);
    if (copy.error() != FileError::None)
        return copy.error();
    copy.takeOwnerAndMode(old);
    QFile target;
    if (!target.open(copy.fd(), QIODevice::WriteOnly | QIODevice::Unbuffered,
                     QFileDevice::DontCloseHandle))
        return FileError::DeviceIO;
    if (const FileError error = write(source, target); error != FileError::None)
        return error;
    target.close();
    return copy.commitOver(native);
}

FileError RecordStore::writeNewFile(const QString &target, QByteArrayView bytes,
                                    const QString &like)
{
    const QByteArray native = NativePath::encode(target);
    const QByteArray likeNative = NativePath::encode(like);
    struct stat old {
    };
    if (::stat(likeNative.constData(), &old) != 0)
        return fileErrorOfErrno(errno);
    struct stat existing {
    };
    if (::lstat(native.constData(), &existing) == 0)
        return FileError::PathAccess;

    ReplacementCopy copy(native);
    if (copy.error() != FileError::None)
        return copy.error();
    copy.takeOwnerAndMode(old);
    QFile file;
    if (!file.open(copy.fd(), QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::DontCloseHandle))
        return FileError::DeviceIO;
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        return fileErrorOf(file);
    file.close();
    return copy.commitOver(native);
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
    const FileError error = file.scan(first, last, [&](int n, const RecordView &view) {
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
    if (written > 0)
        if (const FileError error = file.sync(); error != FileError::None)
            return error;
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
