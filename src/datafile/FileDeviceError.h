#pragma once

#include "FileError.h"

#include <QString>

class QIODevice;

// The one mapping of the system's reasons for a failed file operation to the
// error numbers users see: no permission and a read-only mount are 70, a
// full disk 61, a path that cannot be used 75. With the path the call named,
// a missing folder (75) is told from a missing file (53).
FileError fileErrorOfErrno(int e, const QString &path = QString());

// What a failed open, read or write of a device comes to, called right after
// it failed. errno counts where it says permission or room, which Qt's own
// codes blur (a read-only mount is an "open error" to Qt); otherwise Qt's
// code of a file, and a device error for anything else.
FileError fileErrorOf(const QIODevice &device);
