#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file of expected output kept in tests/data.
inline QByteArray expectedFile(const QString &name)
{
    QFile f(qEnvironmentVariable("TB_SOURCE_DIR") + QStringLiteral("/tests/data/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
