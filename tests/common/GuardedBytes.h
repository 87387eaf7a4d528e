#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

// A copy of some bytes that ends right before an unreadable page, so that a
// read past their end crashes at once instead of passing unnoticed.
class GuardedBytes
{
public:
    explicit GuardedBytes(const QByteArray &bytes)
    {
        m_page = size_t(::sysconf(_SC_PAGESIZE));
        m_pages = (size_t(bytes.size()) + m_page - 1) / m_page + 1;
        void *mem = ::mmap(nullptr, m_pages * m_page, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mem == MAP_FAILED)
            qFatal("mmap failed");
        m_base = static_cast<char *>(mem);
        char *guard = m_base + (m_pages - 1) * m_page;
        ::mprotect(guard, m_page, PROT_NONE);
        m_data = guard - bytes.size();
        std::memcpy(m_data, bytes.constData(), size_t(bytes.size()));
        m_size = bytes.size();
    }
    ~GuardedBytes() { ::munmap(m_base, m_pages * m_page); }
    GuardedBytes(const GuardedBytes &) = delete;
    GuardedBytes &operator=(const GuardedBytes &) = delete;

    QByteArrayView view() const { return QByteArrayView(m_data, m_size); }

private:
    char *m_base = nullptr;
    char *m_data = nullptr;
    qsizetype m_size = 0;
    size_t m_page = 0;
    size_t m_pages = 0;
};
