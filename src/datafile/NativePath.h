#pragma once

#include <QByteArray>
#include <QString>

// File paths as the system gives them. A Linux path is a string of bytes that
// need not be UTF-8; the bytes that are not are kept in the QString as the
// lone surrogates U+DC80 to U+DCFF and turned back into themselves on the way
// out, so such a file can still be opened, renamed and removed.
namespace NativePath {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &path);

// The file's own path, every symbolic link on the way resolved, so that all
// names of one file give one path; the path as given when that fails.
QByteArray resolved(const QByteArray &native);

} // namespace NativePath
