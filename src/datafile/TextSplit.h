#pragma once

#include <QString>

// Splitting a text at a one-character delimiter; each gives "" when the
// delimiter does not occur. Bill lines, report lines and currency texts are
// taken apart with these.
namespace TextSplit {

inline QString beforeFirst(const QString &text, QChar delimiter)
{
    const qsizetype i = text.indexOf(delimiter);
    return i < 0 ? QString() : text.left(i);
}
inline QString afterFirst(const QString &text, QChar delimiter)
{
    const qsizetype i = text.indexOf(delimiter);
    return i < 0 ? QString() : text.mid(i + 1);
}
inline QString beforeLast(const QString &text, QChar delimiter)
{
    const qsizetype i = text.lastIndexOf(delimiter);
    return i < 0 ? QString() : text.left(i);
}
inline QString afterLast(const QString &text, QChar delimiter)
{
    const qsizetype i = text.lastIndexOf(delimiter);
    return i < 0 ? QString() : text.mid(i + 1);
}

} // namespace TextSplit
