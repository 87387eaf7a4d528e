#pragma once

#include <QBuffer>
#include <QFile>

#include <cerrno>
#include <limits>

// A device that takes `limit` bytes and then fails every write, as a full or
// broken disk does part way through a file.
class FailingDevice : public QBuffer
{
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 room = m_limit - size();
        if (room <= 0)
            return -1;
        const qint64 taken = QBuffer::writeData(data, std::min(room, length));
        return taken < length ? -1 : taken;
    }

private:
    qint64 m_limit;
};

// A file whose writes reach the disk for `limit` bytes and then fail as a full
// disk does, leaving whatever part of a record got through. With `once` the
// disk has room again after that failure, for what is written to undo it.
class FailingFile : public QFile
{
public:
    explicit FailingFile(qint64 limit, bool once = false) : m_limit(limit), m_once(once) {}
    qint64 written() const { return m_written; }

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 room = m_limit - m_written;
        const qint64 taken = room > 0 ? QFile::writeData(data, std::min(room, length)) : 0;
        if (taken > 0)
            m_written += taken;
        if (taken == length)
            return taken;
        if (m_once)
            m_limit = std::numeric_limits<qint64>::max();
        errno = ENOSPC;
        return -1;
    }

private:
    qint64 m_limit;
    bool m_once;
    qint64 m_written = 0;
};

// A file the system refuses to open, for the reason `error`: EROFS on a
// read-only mount, EACCES in a folder without write permission.
class UnwritableFile : public QFile
{
public:
    explicit UnwritableFile(int error) : m_error(error) {}
    bool open(OpenMode) override
    {
        errno = m_error;
        return false;
    }

private:
    int m_error;
};
