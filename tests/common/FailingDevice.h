#pragma once

#include <QBuffer>

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
