#pragma once

#include "FileError.h"

class QFileDevice;
class QString;

// What a failed read, write or open of a file comes to: a full disk (ENOSPC,
// or Qt's resource error), no permission, a path that cannot be opened, and
// otherwise a device error.
FileError fileErrorOf(const QFileDevice &file);

// The same for an errno of a system call on `path`: a missing folder is a
// path fault, not a missing file.
FileError fileErrorOfErrno(int e, const QString &path);
