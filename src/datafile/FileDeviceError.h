#pragma once

#include "FileError.h"

class QFileDevice;

// What a failed read, write or open of a file comes to: a full disk (ENOSPC,
// or Qt's resource error), no permission, a path that cannot be opened, and
// otherwise a device error.
FileError fileErrorOf(const QFileDevice &file);
