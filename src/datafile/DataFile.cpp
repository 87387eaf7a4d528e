#include "DataFile.h"

#include "FileDeviceError.h"

#include "NativePath.h"
#include "RecordCodec.h"

#include <QElapsedTimer>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Record 1 of a datafile is a header record: field 0 "***".
FileError checkFirstRecord(int fd, qint64 size)
{
    if (size < RecordLength || size > DataFile::MaxSize)
        return FileError::BadFileFormat;
    char bytes[RecordLength];
    qint64 done = 0;
    while (done < RecordLength) {
        const ssize_t r = ::pread(fd, bytes + done, size_t(RecordLength - done), done);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return FileError::DeviceIO;
        done += r;
    }
    // Without the header's name in front the file is of another kind (a text
    // file, a picture); with it, a record that does not decode is a damaged
    // datafile.
    const QByteArrayView first(bytes, RecordLength);
    const std::optional<FieldValue> name = RecordView(first).field(0);
    if (!name || !name->isText() || name->toText() != SharedMarker)
        return FileError::BadFileFormat;
    return RecordCodec::decode(first).error();
}

} // namespace

DataFile::DataFile(const QString &path) : DataFile(path, std::make_unique<QFile>()) {}

DataFile::DataFile(const QString &path, std::unique_ptr<QFile> file)
    : m_path(path), m_owned(std::move(file)), m_file(*m_owned)
{
}

DataFile::~DataFile()
{
    close();
}

namespace {
int g_lockPatienceMs = 10000;
// A wait shorter than this goes unmentioned.
constexpr int QuietWaitMs = 500;
std::function<void(bool)> &lockWaitNotice()
{
    static std::function<void(bool)> notice;
    return notice;
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// What the file's size and mode rule out before anything is read. A file
// that nobody may write is left as it is, also by root, whom the system
// would let write it; a file this program just created is exempt.
FileError refusal(DataFile::Mode mode, const struct stat &st)
{
    const bool mayCreate = mode == DataFile::Mode::Create || mode == DataFile::Mode::Truncate;
    if (mode != DataFile::Mode::Truncate && st.st_size > DataFile::MaxSize)
        return FileError::BadFileFormat;
    if (mode != DataFile::Mode::Read && (st.st_mode & 0222) == 0 && !(mayCreate && st.st_size == 0))
        return FileError::PermissionDenied;
    return FileError::None;
}
} // namespace

FileStamp FileStamp::of(const QString &path)
{
    struct stat st {
    };
    if (::stat(NativePath::encode(path).constData(), &st) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size)};
}

void DataFile::setLockPatience(int ms)
{
    g_lockPatienceMs = ms;
}

int DataFile::lockPatience()
{
    return g_lockPatienceMs;
}

void DataFile::setLockWaitNotice(std::function<void(bool waiting)> notice)
{
    lockWaitNotice() = std::move(notice);
}

Result<bool> DataFile::lock(int fd, bool exclusive, const QByteArray &nativePath)
{
    struct flock lock {
    };
    lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET; // the whole file, however it grows
    QElapsedTimer waited;
    waited.start();
    bool told = false;
    const auto untell = qScopeGuard([&] {
        if (told && lockWaitNotice())
            lockWaitNotice()(false);
    });
    // Short naps: a till that polls slowly would lose every race to busy ones.
    for (int pause = 1;; pause = std::min(pause * 2, 8)) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
            break;
        const int e = errno;
        if (e == EINTR)
            continue;
        // A file system without working locks (some network shares): the
        // file is used as it always was, unlocked.
        if (e != EAGAIN && e != EACCES)
            return true;
        if (waited.hasExpired(g_lockPatienceMs))
            return FileError::Locked;
        if (!told && waited.hasExpired(QuietWaitMs) && lockWaitNotice()) {
            told = true;
            lockWaitNotice()(true);
        }
        const struct timespec nap {
            0, long(pause) * 1000 * 1000
        };
        ::nanosleep(&nap, nullptr);
    }
    // A delete or an import renames a new file over the datafile while it
    // holds the lock on the old one: then the lock taken is on a file that
    // is no longer the datafile (false), and the caller opens the path again.
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) != 0)
        return FileError::DeviceIO;
    return ::stat(nativePath.constData(), &named) == 0 && sameFile(held, named);
}

FileError DataFile::open(Mode mode)
{
    close();
    m_atEnd = false;
    m_mode = mode;

    // Opened by hand for the exact reason of a failure; O_NONBLOCK keeps a
    // fifo at the path from hanging the program. Truncate empties the file
    // only once it holds the lock.
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
    case Mode::Read:
        flags |= O_RDONLY;
        break;
    case Mode::ReadWrite:
    case Mode::Journaled:
        flags |= O_RDWR;
        break;
    case Mode::Create:
    case Mode::Truncate:
        flags |= O_RDWR | O_CREAT;
        break;
    }
    const QString &path = m_path;
    if (path.isEmpty())
        return FileError::FileNotFound;
    const QByteArray native = NativePath::encode(path);
    int fd = -1;
    struct stat st {
    };
    for (;;) {
        fd = ::open(native.constData(), flags, 0666);
        if (fd < 0)
            return fileErrorOfErrno(errno, path);
        if (::fstat(fd, &st) != 0) {
            const int e = errno;
            ::close(fd);
            return fileErrorOfErrno(e, path);
        }
        if (S_ISDIR(st.st_mode) || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return FileError::PathAccess;
        }
        // Refused before a journal is replayed into it.
        const FileError refused = refusal(mode, st);
        if (refused != FileError::None) {
            ::close(fd);
            return refused;
        }
        const Result<bool> locked = lock(fd, mode != Mode::Read, native);
        if (locked && *locked)
            break;
        ::close(fd);
        if (!locked)
            return locked.error();
    }
    // Beside the file itself, so that tills opening it by other names (a link
    // to it, another path to its folder) share one journal.
    auto journal = std::make_unique<Journal>(NativePath::resolved(native));
    const Journal::Waiting waiting = journal->look();
    FileError settled = FileError::None;
    if (mode == Mode::Truncate) {
        settled = journal->reset();
    } else if (mode == Mode::Read) {
        if (waiting == Journal::Waiting::Unapplied || waiting == Journal::Waiting::Restarted) {
            // Replaying needs the exclusive lock; a reader that cannot write
            // reads on.
            ::close(fd);
            DataFile writer(path);
            if (writer.open(Mode::ReadWrite) == FileError::None) {
                writer.close();
                return open(Mode::Read);
            }
            return openUnchecked(mode, native);
        }
    } else if (mode == Mode::Journaled && waiting != Journal::Waiting::Restarted) {
        if (waiting == Journal::Waiting::Unapplied)
            settled = journal->applyUnapplied(fd);
    } else if (waiting != Journal::Waiting::Nothing) {
        settled = journal->checkpoint(fd);
    }
    if (settled != FileError::None) {
        ::close(fd);
        return settled;
    }
    if (mode == Mode::Journaled)
        m_journal = std::move(journal);
    return finishOpen(fd, mode);
}

FileError DataFile::openUnchecked(Mode mode, const QByteArray &native)
{
    const int fd = ::open(native.constData(), O_CLOEXEC | O_NONBLOCK | O_RDONLY);
    if (fd < 0)
        return fileErrorOfErrno(errno, m_path);
    if (const Result<bool> locked = lock(fd, false, native); !locked || !*locked) {
        ::close(fd);
        return locked ? FileError::Locked : locked.error();
    }
    return finishOpen(fd, mode);
}

FileError DataFile::finishOpen(int fd, Mode mode)
{
    const QString &path = m_path;
    const QIODevice::OpenMode qtMode =
        mode == Mode::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    struct stat st {
    };
    // What another program wrote before it let go of the lock counts.
    if (mode == Mode::Truncate ? ::ftruncate(fd, 0) != 0 : ::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        return fileErrorOfErrno(e, path);
    }
    const bool mustBeDatafile = mode == Mode::Read || mode == Mode::ReadWrite
                                || mode == Mode::Journaled
                                || (mode == Mode::Create && st.st_size > 0);
    if (mustBeDatafile) {
        if (const FileError error = checkFirstRecord(fd, st.st_size); error != FileError::None) {
            ::close(fd);
            return error;
        }
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    if (!m_file.open(fd, qtMode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileError::DeviceIO;
    }
    // No other program changes the size while the lock is held.
    m_size = mode == Mode::Truncate ? 0 : st.st_size;
    return FileError::None;
}

FileError DataFile::sync()
{
    if (!isOpen())
        return FileError::DeviceIO;
    return ::fdatasync(m_file.handle()) == 0 ? FileError::None : fileErrorOfErrno(errno, m_path);
}

void DataFile::close()
{
    m_journal.reset();
    if (m_file.isOpen())
        m_file.close();
}

bool DataFile::isOpen() const
{
    return m_file.isOpen();
}

int DataFile::recordCount() const
{
    if (!m_file.isOpen())
        return 0;
    return int(m_size / RecordLength);
}

int DataFile::partialBytes() const
{
    if (!m_file.isOpen())
        return 0;
    return int(m_size % RecordLength);
}

QString DataFile::path() const
{
    return m_path;
}

FileError DataFile::mapError() const
{
    return fileErrorOf(m_file);
}

Result<DataRecord> DataFile::read(int n)
{
    const Result<QByteArray> bytes = readRaw(n);
    if (!bytes)
        return bytes.error();
    return RecordCodec::decode(*bytes);
}

Result<QByteArray> DataFile::readRaw(int n)
{
    if (!isOpen())
        return FileError::DeviceIO;
    if (n < 1)
        return FileError::BadRecordNumber;
    if (n > recordCount()) {
        m_atEnd = true;
        return FileError::ReadPastEnd;
    }
    m_atEnd = false;
    QByteArray bytes(RecordLength, Qt::Uninitialized);
    int got = 0;
    if (const FileError error = readBlock(n, 1, bytes, &got); error != FileError::None)
        return error;
    if (got != 1)
        return FileError::DeviceIO;
    return bytes;
}

FileError DataFile::write(int n, const DataRecord &record)
{
    const Result<QByteArray> encoded = RecordCodec::encode(record);
    if (!encoded)
        return encoded.error();
    return writeRaw(n, *encoded);
}

FileError DataFile::writeRaw(int n, QByteArrayView bytes)
{
    if (!isOpen())
        return FileError::DeviceIO;
    if (bytes.size() != RecordLength)
        return FileError::BadRecordLength;
    if (n < 1 || n > MaxRecords)
        return FileError::BadRecordNumber;
    if (m_mode == Mode::Read)
        return FileError::PermissionDenied;

    const qint64 whole = qint64(recordCount()) * RecordLength;
    const qint64 offset = qint64(n - 1) * RecordLength;
    // Records between the old end and this one read as 13 empty fields; a
    // partial record there is cut off first, so it cannot become one of them.
    if (offset > whole && (!resize(whole) || !resize(offset)))
        return mapError();
    if (m_file.seek(offset) && m_file.write(bytes.data(), RecordLength) == RecordLength) {
        m_size = std::max(m_size, offset + RecordLength);
        return FileError::None;
    }

    const FileError error = mapError();
    // Never leave a torn record at the end: the file must stay whole records.
    if (offset >= whole)
        (void)resize(whole);
    return error;
}

bool DataFile::resize(qint64 size)
{
    const bool done = m_file.resize(size);
    struct stat st {
    };
    m_size = done ? size : ::fstat(m_file.handle(), &st) == 0 ? st.st_size : m_size;
    return done;
}

FileError DataFile::writeTogether(const QList<std::pair<int, DataRecord>> &records,
                                  const std::optional<Journal::SideWrite> &side)
{
    QList<std::pair<int, QByteArray>> encoded;
    for (const auto &[n, record] : records) {
        const Result<QByteArray> bytes = RecordCodec::encode(record);
        if (!bytes)
            return bytes.error();
        encoded.append({n, *bytes});
    }
    return writeTogether(encoded, side);
}

FileError DataFile::writeTogether(const QList<std::pair<int, QByteArray>> &encoded,
                                  const std::optional<Journal::SideWrite> &side)
{
    if (!isOpen() || !m_journal)
        return FileError::DeviceIO;
    // What the records overwrite goes with them: a write that fails after
    // the journal took them puts it back.
    const int count = recordCount();
    Journal::Entry entry{{}, side};
    for (const auto &[n, bytes] : encoded) {
        if (n < 1 || n > MaxRecords)
            return FileError::BadRecordNumber;
        if (bytes.size() != RecordLength)
            return FileError::BadRecordLength;
        Journal::Put put{n, bytes, std::nullopt};
        if (n <= count) {
            const Result<QByteArray> old = readRaw(n);
            if (!old)
                return old.error();
            put.before = *old;
        }
        entry.records.append(put);
    }
    if (const FileError error = m_journal->commit(entry, m_file.handle()); error != FileError::None)
        return error;
    FileError error = FileError::None;
    for (const Journal::Put &put : std::as_const(entry.records))
        if ((error = writeRaw(put.record, put.after)) != FileError::None)
            break;
    if (error == FileError::None) {
        m_journal->applied();
        return FileError::None;
    }
    for (const Journal::Put &put : std::as_const(entry.records))
        if (put.before)
            (void)writeRaw(put.record, *put.before);
    if (recordCount() > count)
        (void)resize(qint64(count) * RecordLength);
    (void)m_journal->discard();
    return error;
}

FileError DataFile::intendSide(const Journal::SideWrite &where)
{
    return m_journal ? m_journal->intend(where) : FileError::DeviceIO;
}

void DataFile::dropIntent()
{
    if (m_journal)
        (void)m_journal->discard();
}

FileError DataFile::readBlock(int first, int count, QByteArray &buffer, int *got)
{
    *got = 0;
    const qint64 want = qint64(count) * RecordLength;
    if (buffer.size() < want)
        buffer.resize(want);
    const qint64 at = qint64(first - 1) * RecordLength;
    qint64 done = 0;
    while (done < want) {
        const ssize_t r =
            ::pread(m_file.handle(), buffer.data() + done, size_t(want - done), at + done);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return fileErrorOfErrno(errno, m_path);
        if (r == 0)
            break; // the file shrank under us; whole records read so far still count
        done += r;
    }
    *got = int(done / RecordLength);
    return FileError::None;
}

Result<QByteArray> DataFile::readRecords(int first)
{
    if (!isOpen())
        return FileError::DeviceIO;
    first = std::max(first, 1);
    QByteArray bytes;
    const int count = recordCount() - first + 1;
    if (count <= 0)
        return bytes;
    int got = 0;
    if (const FileError error = readBlock(first, count, bytes, &got); error != FileError::None)
        return error;
    bytes.truncate(qsizetype(got) * RecordLength);
    m_atEnd = true;
    return bytes;
}

FileError DataFile::scanBack(int last, const std::function<bool(int, const RecordView &)> &visit)
{
    if (!isOpen())
        return FileError::DeviceIO;
    last = std::min(last, recordCount());
    QByteArray buffer;
    for (int end = last; end >= 1; end -= BlockRecords) {
        const int start = std::max(1, end - BlockRecords + 1);
        int got = 0;
        const FileError error = readBlock(start, end - start + 1, buffer, &got);
        if (error != FileError::None)
            return error;
        for (int i = std::min(got, end - start + 1) - 1; i >= 0; --i) {
            const RecordView view(
                QByteArrayView(buffer.constData() + qsizetype(i) * RecordLength, RecordLength));
            if (!visit(start + i, view))
                return FileError::None;
        }
    }
    return FileError::None;
}
