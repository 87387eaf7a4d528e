#pragma once

#include <QString>

// Error numbers reported to the user after "Error: " or "Err: ". They keep the
// numbering users of earlier versions know from their messages.
enum class FileError : int {
    None = 0,
    FileNotFound = 53,
    DeviceIO = 57,
    BadRecordLength = 59, // record does not fit in 128 bytes
    DiskFull = 61,
    ReadPastEnd = 62,
    BadRecordNumber = 63, // below 1, past the last record, or a header record to delete
    PermissionDenied = 70,
    PathAccess = 75,
    BadFileFormat = 321, // size not a multiple of 128, or record 1 is not a header
    UnencodableText = 5, // a character without a Windows-1252 byte
    UnknownFieldType = 458,
};

inline int errorNumber(FileError e)
{
    return int(e);
}
