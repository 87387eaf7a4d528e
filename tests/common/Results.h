#pragma once

#include "datafile/FileError.h"

#include <QTest>

// Moves a result's value into `out` and gives its error, so a test can check
// both in one line.
template<typename T>
FileError take(Result<T> result, T &out)
{
    if (result)
        out = std::move(*result);
    return result.error();
}

namespace QTest {
// Names the error number when a comparison of errors fails.
template<>
inline char *toString(const FileError &error)
{
    return qstrdup(QByteArray::number(errorNumber(error)).constData());
}
} // namespace QTest
