#include "TransactionLog.h"

#include "datafile/Cp1252.h"
#include "datafile/FileDeviceError.h"

#include <QFileInfo>

#include <cerrno>

LogFile::LogFile(const QString &path) : LogFile(path, std::make_unique<QFile>()) {}

LogFile::LogFile(const QString &path, std::unique_ptr<QFile> file) : m_file(std::move(file))
{
    m_file->setFileName(path);
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

Result<Journal::SideWrite> LogFile::append(const QStringList &lines)
{
    m_sizeBefore.reset();
    const Result<QByteArray> bytes = encode(lines);
    if (!bytes)
        return bytes.error();
    errno = 0;
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return fileErrorOf(*m_file);
    const qint64 before = m_file->size();
    if (m_file->write(*bytes) != bytes->size()) {
        const FileError error = fileErrorOf(*m_file);
        m_file->close();
        // Whatever part of the entry got through goes again; if even that
        // fails the first error is the one to report.
        (void)cutBack(before);
        return error;
    }
    m_file->close();
    m_sizeBefore = before;
    return Journal::SideWrite{QFileInfo(m_file->fileName()).absoluteFilePath(), before, *bytes};
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
    const QFileInfo file(m_file->fileName());
    return {file.absoluteFilePath(), file.exists() ? file.size() : 0, {}};
}

FileError LogFile::cutBack(qint64 size)
{
    errno = 0;
    if (!m_file->resize(size))
        return fileErrorOf(*m_file);
    return FileError::None;
}
