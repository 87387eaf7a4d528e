#include "FileDeviceError.h"

#include "NativePath.h"

#include <QFileDevice>

#include <cerrno>
#include <sys/stat.h>

FileError fileErrorOf(const QIODevice &device)
{
    // Other reasons may be left over from calls Qt made on the way.
    if (const int e = errno; e != ENOENT) {
        const FileError bySystem = fileErrorOfErrno(e);
        if (bySystem == FileError::PermissionDenied || bySystem == FileError::DiskFull)
            return bySystem;
    }
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    switch (file ? file->error() : QFileDevice::UnspecifiedError) {
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

FileError fileErrorOfErrno(int e, const QString &path)
{
    switch (e) {
    case ENOENT: {
        // A missing folder is a path fault, not a missing file.
        QByteArray dir = NativePath::encode(path);
        const qsizetype slash = dir.lastIndexOf('/');
        dir = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : dir.left(slash);
        struct stat st {
        };
        return ::stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) ? FileError::FileNotFound
                                                                        : FileError::PathAccess;
    }
    case ENOTDIR:
    case EISDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case ENXIO: // a fifo nobody reads, a device that is not there
        return FileError::PathAccess;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return FileError::PermissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return FileError::DiskFull;
    default:
        return FileError::DeviceIO;
    }
}
