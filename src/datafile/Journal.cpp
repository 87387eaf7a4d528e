#include "Journal.h"

#include "DataRecord.h"
#include "FileDeviceError.h"

#include <QDataStream>
#include <QFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray Suffix = ".tallybird-journal";
constexpr quint32 HeadMagic = 0x484a4254;  // "TBJH"
constexpr quint32 EntryMagic = 0x454a4254; // "TBJE"
// Where a sale's log entry is about to go, before it is written: a program
// killed before its entry is stored leaves no log entry behind.
constexpr quint32 IntentMagic = 0x494a4254; // "TBJI"
constexpr quint32 Version = 1;
constexpr qint64 FirstEntry = 512; // the head has a sector of its own
constexpr qint64 Region = 64 * 1024;
constexpr int BootBytes = 72;    // machine id, then the id of this start
constexpr int MachineBytes = 32; // the machine id alone
constexpr qint64 EntryPrefix = 24;

quint32 crc32(QByteArrayView bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes)
        c = table[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray firstLine(const char *path)
{
    QFile f(QString::fromLatin1(path));
    return f.open(QIODevice::ReadOnly) ? f.readLine(80).trimmed() : QByteArray();
}

// Which machine this is, and which start of it: the page cache of another
// start, or of another machine, is nothing to rely on.
const QByteArray &bootIdentity()
{
    static const QByteArray id = [] {
        QByteArray machine = firstLine("/etc/machine-id");
        if (machine.isEmpty())
            machine = firstLine("/var/lib/dbus/machine-id");
        machine = machine.leftJustified(MachineBytes, '\0', true);
        return (machine + firstLine("/proc/sys/kernel/random/boot_id"))
            .leftJustified(BootBytes, '\0', true);
    }();
    return id;
}

bool writeFully(int fd, QByteArrayView bytes, qint64 offset)
{
    for (qint64 done = 0; done < bytes.size();) {
        const ssize_t w =
            ::pwrite(fd, bytes.data() + done, size_t(bytes.size() - done), offset + done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        done += w;
    }
    return true;
}

QByteArray readUpTo(int fd, qint64 length, qint64 offset)
{
    QByteArray bytes(length, '\0');
    qint64 done = 0;
    while (done < length) {
        const ssize_t r = ::pread(fd, bytes.data() + done, size_t(length - done), offset + done);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += r;
    }
    bytes.truncate(done);
    return bytes;
}

FileError ioError()
{
    return fileErrorOfErrno(errno);
}

QDataStream &littleEndian(QDataStream &s)
{
    s.setByteOrder(QDataStream::LittleEndian);
    return s;
}

QByteArray encodeEntry(const Journal::Entry &entry, quint64 epoch, quint32 seq,
                       quint32 magic = EntryMagic)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    littleEndian(s) << magic << quint32(0) << epoch << seq << quint32(entry.records.size());
    s.writeRawData(bootIdentity().constData(), MachineBytes);
    for (const Journal::Put &put : entry.records) {
        s << qint32(put.record);
        s.writeRawData(put.after.constData(), RecordLength);
        s << quint8(put.before.has_value());
        if (put.before)
            s.writeRawData(put.before->constData(), RecordLength);
    }
    const Journal::SideWrite side = entry.side.value_or(Journal::SideWrite{});
    const QByteArray path = QFile::encodeName(side.path);
    s << quint32(path.size());
    s.writeRawData(path.constData(), int(path.size()));
    s << side.offset << quint32(side.bytes.size());
    s.writeRawData(side.bytes.constData(), int(side.bytes.size()));
    qToLittleEndian(quint32(bytes.size() + 4), bytes.data() + 4);
    s << crc32(bytes);
    return bytes;
}

// Puts the side write back where it is missing: a log that lost its end in a
// power cut, or never got it. A log shorter than where the entry began was
// started anew or cut by hand since, and is left alone.
void replaySide(const Journal::SideWrite &side, QSet<QString> &touched)
{
    const int fd =
        ::open(QFile::encodeName(side.path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st {
    };
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= side.offset
        && readUpTo(fd, side.bytes.size(), side.offset) != side.bytes)
        (void)writeFully(fd, side.bytes, side.offset);
    ::close(fd);
    touched.insert(side.path);
}
// Whether a record holds what the entry found there or what it wrote.
bool fitsOver(int datafd, const Journal::Put &put)
{
    if (put.record < 1 || put.record > MaxRecords)
        return false;
    const QByteArray now = readUpTo(datafd, RecordLength, qint64(put.record - 1) * RecordLength);
    return now == put.after || (put.before ? now == *put.before : now.size() < RecordLength);
}
} // namespace

Journal::Journal(const QByteArray &nativeDatafilePath) : m_path(nativeDatafilePath + Suffix) {}

Journal::~Journal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Journal::Waiting Journal::look()
{
    m_fd = ::open(m_path.constData(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0 && (errno == EACCES || errno == EROFS))
        m_fd = ::open(m_path.constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return Waiting::Nothing;
    const QByteArray head = readUpTo(m_fd, FirstEntry, 0);
    QDataStream s(head);
    quint32 magic = 0, version = 0, crc = 0;
    Head h;
    h.boot.resize(BootBytes);
    littleEndian(s) >> magic >> version >> h.epoch >> h.applied >> h.next;
    s.readRawData(h.boot.data(), BootBytes);
    const qsizetype covered = qsizetype(s.device()->pos());
    s >> crc;
    if (s.status() != QDataStream::Ok || magic != HeadMagic || version != Version
        || crc != crc32(QByteArrayView(head).first(covered)) || h.next < FirstEntry) {
        // Never written whole, so no entry can count: made anew on the next commit.
        ::close(m_fd);
        m_fd = -1;
        return Waiting::Nothing;
    }
    m_head = h;
    const auto waitingAt = [&](qint64 offset, quint32 seq) {
        return entryAt(offset, seq, EntryMagic) || entryAt(offset, seq, IntentMagic);
    };
    const bool unapplied = waitingAt(h.next, h.applied + 1);
    if (h.boot != bootIdentity())
        return h.applied > 0 || waitingAt(FirstEntry, 1) ? Waiting::Restarted : Waiting::Nothing;
    return unapplied ? Waiting::Unapplied : h.applied > 0 ? Waiting::Unsynced : Waiting::Nothing;
}

std::optional<Journal::Stored> Journal::entryAt(qint64 offset, quint32 seq, quint32 magic) const
{
    const QByteArray prefix = readUpTo(m_fd, EntryPrefix, offset);
    if (prefix.size() < EntryPrefix)
        return std::nullopt;
    QDataStream p(prefix);
    const quint32 wanted = magic;
    quint32 length = 0, storedSeq = 0, count = 0;
    quint64 epoch = 0;
    littleEndian(p) >> magic >> length >> epoch >> storedSeq >> count;
    if (magic != wanted || epoch != m_head.epoch || storedSeq != seq || length < EntryPrefix + 4
        || length > 64 * 1024 * 1024)
        return std::nullopt;
    const QByteArray bytes = readUpTo(m_fd, length, offset);
    if (bytes.size() != qsizetype(length)
        || qFromLittleEndian<quint32>(bytes.constData() + length - 4)
               != crc32(QByteArrayView(bytes).first(length - 4)))
        return std::nullopt;
    QDataStream s(bytes);
    littleEndian(s).skipRawData(int(EntryPrefix));
    Stored stored;
    stored.length = length;
    stored.machine.resize(MachineBytes);
    s.readRawData(stored.machine.data(), MachineBytes);
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        qint32 n = 0;
        quint8 overwrote = 0;
        Put put{0, QByteArray(RecordLength, '\0'), std::nullopt};
        s >> n;
        s.readRawData(put.after.data(), RecordLength);
        s >> overwrote;
        if (overwrote) {
            put.before = QByteArray(RecordLength, '\0');
            s.readRawData(put.before->data(), RecordLength);
        }
        put.record = n;
        stored.entry.records.append(put);
    }
    quint32 pathLength = 0, sideLength = 0;
    SideWrite side;
    s >> pathLength;
    QByteArray path(qMin<qint64>(pathLength, length), '\0');
    s.readRawData(path.data(), int(path.size()));
    s >> side.offset >> sideLength;
    side.bytes.resize(qMin<qint64>(sideLength, length));
    s.readRawData(side.bytes.data(), int(side.bytes.size()));
    if (s.status() != QDataStream::Ok)
        return std::nullopt;
    side.path = QFile::decodeName(path);
    if (!side.path.isEmpty())
        stored.entry.side = side;
    return stored;
}

FileError Journal::replay(int datafd, qint64 from, quint32 seq, bool sync)
{
    QSet<QString> sides;
    // Entries this start of the machine applied are in the datafile already;
    // their logs still need their sync.
    const quint32 appliedHere = m_head.boot == bootIdentity() ? m_head.applied : 0;
    qint64 at = from;
    while (const std::optional<Stored> stored = entryAt(at, seq, EntryMagic)) {
        const QList<Put> &puts = stored->entry.records;
        if (seq > appliedHere && !std::all_of(puts.begin(), puts.end(), [&](const Put &put) {
                return fitsOver(datafd, put);
            }))
            break; // not the datafile it was written for
        for (const Put &put : puts)
            if (seq > appliedHere
                && !writeFully(datafd, put.after, qint64(put.record - 1) * RecordLength))
                return ioError();
        // Another machine's log is its own; its path here may name another file.
        if (stored->entry.side && stored->machine == bootIdentity().left(MachineBytes))
            replaySide(*stored->entry.side, sides);
        at += stored->length;
        ++seq;
    }
    // A log entry written by a sale that never reached the journal goes.
    if (const std::optional<Stored> intent = entryAt(at, seq, IntentMagic)) {
        const SideWrite &side = *intent->entry.side;
        struct stat st {
        };
        const QByteArray path = QFile::encodeName(side.path);
        bool cut = true;
        if (intent->machine == bootIdentity().left(MachineBytes)
            && ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > side.offset)
            cut = ::truncate(path.constData(), side.offset) == 0;
        // A log that cannot be cut now keeps the intent for the next open to try.
        if (cut && !writeFully(m_fd, QByteArray(4, '\0'), at))
            return ioError();
    }
    if (!sync) {
        m_head.applied = seq - 1;
        m_head.next = at;
        m_head.boot = bootIdentity();
        return writeHead(m_head, false);
    }
    if (::fdatasync(datafd) != 0)
        return ioError();
    for (const QString &path : std::as_const(sides))
        if (const int fd =
                ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            fd >= 0) {
            (void)::fdatasync(fd);
            ::close(fd);
        }
    return reset();
}

FileError Journal::checkpoint(int datafd)
{
    return replay(datafd, FirstEntry, 1, true);
}

FileError Journal::applyUnapplied(int datafd)
{
    return replay(datafd, m_head.next, m_head.applied + 1, false);
}

FileError Journal::reset()
{
    if (m_fd < 0)
        return FileError::None;
    return writeHead({m_head.epoch + 1, 0, FirstEntry, bootIdentity()}, true);
}

FileError Journal::writeHead(const Head &head, bool sync)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    littleEndian(s) << HeadMagic << Version << head.epoch << head.applied << head.next;
    s.writeRawData(head.boot.leftJustified(BootBytes, '\0', true).constData(), BootBytes);
    s << crc32(bytes);
    if (!writeFully(m_fd, bytes, 0) || (sync && ::fdatasync(m_fd) != 0))
        return ioError();
    m_head = head;
    return FileError::None;
}

FileError Journal::create()
{
    m_fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        return ioError();
    // Written out once, so that an entry later overwrites blocks the file
    // already has.
    if (!writeFully(m_fd, QByteArray(Region, '\0'), 0))
        return ioError();
    m_head = {};
    if (const FileError error = writeHead({1, 0, FirstEntry, bootIdentity()}, false);
        error != FileError::None)
        return error;
    if (::fsync(m_fd) != 0)
        return ioError();
    // The journal's name in its folder must survive a power cut as well.
    const qsizetype slash = m_path.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : m_path.left(slash);
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return FileError::None;
}

FileError Journal::commit(const Entry &entry, int datafd)
{
    m_committed.reset();
    if (m_fd < 0) {
        if (const FileError error = create(); error != FileError::None)
            return error;
    }
    QByteArray bytes = encodeEntry(entry, m_head.epoch, m_head.applied + 1);
    if (m_head.next + bytes.size() > Region && m_head.applied > 0) {
        if (const FileError error = checkpoint(datafd); error != FileError::None)
            return error;
        bytes = encodeEntry(entry, m_head.epoch, 1);
    }
    const qint64 at = m_head.next;
    if (!writeFully(m_fd, bytes, at) || ::fdatasync(m_fd) != 0) {
        const FileError error = ioError();
        (void)writeFully(m_fd, QByteArray(4, '\0'), at);
        return error;
    }
    m_committed = {at, bytes.size()};
    return FileError::None;
}

void Journal::applied()
{
    if (!m_committed)
        return;
    Head h = m_head;
    ++h.applied;
    h.next = m_committed->first + m_committed->second;
    h.boot = bootIdentity();
    m_committed.reset();
    // Not synced: a power cut is told by the boot identity, not by this.
    (void)writeHead(h, false);
}

FileError Journal::intend(const SideWrite &where)
{
    if (where.path.isEmpty())
        return FileError::None;
    if (m_fd < 0) {
        if (const FileError error = create(); error != FileError::None)
            return error;
    }
    const QByteArray bytes = encodeEntry({{}, where}, m_head.epoch, m_head.applied + 1, IntentMagic);
    return writeFully(m_fd, bytes, m_head.next) ? FileError::None : ioError();
}

FileError Journal::discard()
{
    if (!m_committed) {
        // Only an intent, if anything, waits where the next entry goes.
        if (m_fd >= 0 && entryAt(m_head.next, m_head.applied + 1, IntentMagic))
            (void)writeFully(m_fd, QByteArray(4, '\0'), m_head.next);
        return FileError::None;
    }
    const qint64 at = m_committed->first;
    m_committed.reset();
    if (!writeFully(m_fd, QByteArray(4, '\0'), at) || ::fdatasync(m_fd) != 0)
        return ioError();
    return FileError::None;
}
