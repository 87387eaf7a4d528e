#pragma once

// Runs tallybird-data as a user would, for the tests of its commands.

#include "datafile/DataFile.h"
#include "datafile/DataRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>

#include <vector>

namespace ToolRun {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The tool is built next to the test folder; TALLYBIRD_DATA names it elsewhere.
inline QString toolPath()
{
    const QByteArray env = qgetenv("TALLYBIRD_DATA");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../tallybird-data"));
}

inline Run runTool(const QStringList &args)
{
    QProcess p;
    p.start(toolPath(), args);
    Run r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

inline std::vector<DataRecord> readAll(const QString &path)
{
    std::vector<DataRecord> records;
    DataFile f(path);
    if (f.open(DataFile::Mode::Read) != FileError::None)
        return records;
    for (int n = 1; n <= f.recordCount(); ++n) {
        Result<DataRecord> r = f.read(n);
        if (!r)
            break;
        records.push_back(*r);
    }
    return records;
}

inline QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace ToolRun
