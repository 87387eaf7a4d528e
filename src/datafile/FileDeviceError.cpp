#include "FileDeviceError.h"

#include <QFileDevice>

#include <cerrno>

FileError fileErrorOf(const QFileDevice &file)
{
    if (errno == ENOSPC)
        return FileError::DiskFull;
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return FileError::DiskFull;
    case QFileDevice::PermissionsError:
        return FileError::PermissionDenied;
    case QFileDevice::OpenError:
        return FileError::PathAccess;
    default:
        return FileError::DeviceIO;
    }
}
