#include "LogFile.h"

#include "datafile/Cp1252.h"
#include "datafile/FileDeviceError.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

LogFile::LogFile(const QString &path) : LogFile(path, std::make_unique<QFile>()) {}

LogFile::LogFile(const QString &path, std::unique_ptr<QFile> file)
    : m_path(path), m_file(std::move(file))
{
}

Result<QByteArray> LogFile::encode(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const std::optional<QByteArray> encoded = Cp1252::encode(line);
        if (!encoded)
            return FileError::UnencodableText;
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

Result<Journal::SideWrite> LogFile::append(const QByteArray &entry)
{
    m_sizeBefore.reset();
    // Opened by hand, as the datafile is: a fifo or a device at the log's
    // path would hang the till on open or on write.
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return fileErrorOfErrno(errno, m_path);
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileError::PathAccess;
    }
    errno = 0;
    if (!m_file->open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                      QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fileErrorOf(*m_file);
    }
    const qint64 before = st.st_size;
    if (m_file->write(entry) != entry.size()) {
        const FileError error = fileErrorOf(*m_file);
        m_file->close();
        // Whatever part of the entry got through goes again; if even that
        // fails the first error is the one to report.
        (void)cutBack(before);
        return error;
    }
    m_file->close();
    m_sizeBefore = before;
    return Journal::SideWrite{QFileInfo(m_path).absoluteFilePath(), before, entry};
}

FileError LogFile::takeBack()
{
    if (!m_sizeBefore)
        return FileError::None;
    const FileError error = cutBack(*m_sizeBefore);
    if (error == FileError::None)
        m_sizeBefore.reset();
    return error;
}

Journal::SideWrite LogFile::next() const
{
    const QFileInfo file(m_path);
    return {file.absoluteFilePath(), file.exists() ? file.size() : 0, {}};
}

FileError LogFile::cutBack(qint64 size)
{
    const QString path = m_path;
    return ::truncate(QFile::encodeName(path).constData(), size) == 0
               ? FileError::None
               : fileErrorOfErrno(errno, path);
}
