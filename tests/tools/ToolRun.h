#pragma once

// Runs tallybird-data as a user would, for the tests of its commands.

#include "common/TempDir.h"

#include "datafile/DataFile.h"
#include "datafile/DataRecord.h"
#include "datafile/RecordStore.h"

#include <QCoreApplication>
#include <QDate>
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

// `locale` ("de_DE.UTF-8") is the user's locale; by default the test's own.
inline Run runTool(const QStringList &args, const QString &locale = QString())
{
    QProcess p;
    if (!locale.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), locale);
        p.setProcessEnvironment(env);
    }
    p.start(toolPath(), args);
    Run r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A datafile of header records only; empty when it could not be made.
inline QString newDatafile(const TempDir &dir, const QString &name = QStringLiteral("t.tb2"))
{
    const QString path = dir.path(name);
    return RecordStore(path).createNew(QDate(2024, 3, 1)) == FileError::None ? path : QString();
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
