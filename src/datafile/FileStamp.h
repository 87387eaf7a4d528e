#pragma once

#include <QString>

// Which file a path names and how long it is: another program's append,
// delete or import changes it, an item rung in place does not.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1; // -1: no file
    bool operator==(const FileStamp &) const = default;
    static FileStamp of(const QString &path);
};
