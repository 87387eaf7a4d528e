#pragma once

#include "datafile/FileError.h"
#include "datafile/Journal.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Where completed sales are written down, one entry each.
class TransactionLog
{
public:
    virtual ~TransactionLog() = default;
    // Appends one entry, not yet on the disk: the datafile's journal takes
    // what was written (where and which bytes) to the disk with the sale's
    // records. On failure the log is left as it was.
    virtual Result<Journal::SideWrite> append(const QStringList &lines) = 0;
    // Takes the entry just appended back out (its bill did not print).
    virtual FileError takeBack() = 0;
    // Where the next entry goes: the log's path and size (no path: nowhere
    // on the disk).
    virtual Journal::SideWrite next() const = 0;
};

// The log file: text in Windows-1252, each line ended by CR LF, as the logs
// shops already keep were written, so that appending keeps one encoding.
class LogFile : public TransactionLog
{
public:
    explicit LogFile(const QString &path);
    // The same on a QFile of the caller's (a subclass whose writes fail, in tests).
    LogFile(const QString &path, std::unique_ptr<QFile> file);

    Result<Journal::SideWrite> append(const QStringList &lines) override;
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
