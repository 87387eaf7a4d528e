#pragma once

#include <QString>

#include <optional>
#include <utility>

// Error numbers reported to the user after "Error: " or "Err: ". They keep the
// numbering users of earlier versions know from their messages.
//
// Every file and store operation reports failure the same way: an operation
// without a value returns a FileError, one with a value returns a Result<T>.
enum class [[nodiscard]] FileError : int{
    None = 0,
    FileNotFound = 53,
    DeviceIO = 57,
    BadRecordLength = 59, // record does not fit in 128 bytes
    DiskFull = 61,
    ReadPastEnd = 62,     // a record past the last one
    BadRecordNumber = 63, // below 1, past the last record, or a header record to delete
    PermissionDenied = 70,
    PathAccess = 75,
    BadFileFormat = 321,   // no whole record, or record 1 is not a header
    FieldPastRecord = 325, // a field (most often a text) runs past the end of its record
    UnencodableText = 5,   // a character without a Windows-1252 byte
    UnknownFieldType = 458,
    Locked = 3050, // another program kept the datafile locked past our patience
};

inline int errorNumber(FileError e)
{
    return int(e);
}

// What an error means, in a few words ("file not found").
inline QString errorDescription(FileError e)
{
    switch (e) {
    case FileError::None:
        return QStringLiteral("no error");
    case FileError::FileNotFound:
        return QStringLiteral("file not found");
    case FileError::DeviceIO:
        return QStringLiteral("device input/output error");
    case FileError::BadRecordLength:
        return QStringLiteral("record too long");
    case FileError::DiskFull:
        return QStringLiteral("disk full");
    case FileError::ReadPastEnd:
        return QStringLiteral("read past the end of the file");
    case FileError::BadRecordNumber:
        return QStringLiteral("bad record number");
    case FileError::FieldPastRecord:
        return QStringLiteral("a field runs past the end of its record");
    case FileError::PermissionDenied:
        return QStringLiteral("permission denied");
    case FileError::PathAccess:
        return QStringLiteral("path not accessible");
    case FileError::BadFileFormat:
        return QStringLiteral("not a Tallybird datafile");
    case FileError::UnencodableText:
        return QStringLiteral("text that cannot be stored");
    case FileError::UnknownFieldType:
        return QStringLiteral("unknown field type");
    case FileError::Locked:
        return QStringLiteral("the datafile is in use by another program");
    }
    return QStringLiteral("error");
}

// The description with the error number: "file not found (error 53)".
inline QString errorText(FileError e)
{
    return QStringLiteral("%1 (error %2)").arg(errorDescription(e)).arg(errorNumber(e));
}

// The value of an operation that worked, or the error that stopped it.
template<typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(FileError error) : m_error(error == FileError::None ? FileError::DeviceIO : error) {}

    bool ok() const { return m_error == FileError::None; }
    explicit operator bool() const { return ok(); }
    FileError error() const { return m_error; }

    // Only for a result that is ok().
    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T &operator*() const & { return *m_value; }
    T &operator*() & { return *m_value; }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }

    T valueOr(T fallback) const { return ok() ? *m_value : std::move(fallback); }

private:
    std::optional<T> m_value;
    FileError m_error = FileError::None;
};
