#pragma once

#include "datafile/FileError.h"
#include "datafile/TransactionLog.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The log file: text in Windows-1252, each line ended by CR LF, as the logs
// shops already keep were written, so that appending keeps one encoding.
class LogFile : public TransactionLog
{
public:
    explicit LogFile(const QString &path);
    // The same on a QFile of the caller's (a subclass whose writes fail, in tests).
    LogFile(const QString &path, std::unique_ptr<QFile> file);

    Result<Journal::SideWrite> append(const QByteArray &entry) override;
    FileError takeBack() override;
    Journal::SideWrite next() const override;

    // The bytes of an entry; UnencodableText when a line holds a character
    // Windows-1252 cannot store.
    static Result<QByteArray> encode(const QStringList &lines);

private:
    FileError cutBack(qint64 size);

    QString m_path;
    std::unique_ptr<QFile> m_file; // opened on a descriptor of our own
    std::optional<qint64> m_sizeBefore;
};
