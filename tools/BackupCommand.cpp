// tallybird-data backup: a dated copy of a datafile, checked after writing.

#include "ToolOutput.h"

#include "datafile/BackupName.h"
#include "datafile/DataCheck.h"
#include "datafile/DataFile.h"
#include "datafile/RecordStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

const char *const BackupUsage =
    "  tallybird-data backup PATH [DIR]\n"
    "      Copies the datafile to NAME-YYYYMMDD-HHMMSS.tb2 (NAME: the datafile's\n"
    "      name without .tb2, the time: now; NAME-YYYYMMDD-HHMMSS-2.tb2 and so on\n"
    "      when that name is taken) beside it or in DIR. The copy is written\n"
    "      beside its final name and renamed, takes the datafile's permissions,\n"
    "      is compared with the datafile and then checked as check does. An\n"
    "      existing file is never replaced.\n"
    "      Exit status: 0 done, 1 not copied, 3 copied, but check found\n"
    "      faults (printed as check prints them).\n";

namespace {

QByteArray readAllOf(const QString &path, bool *ok)
{
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    if (!*ok)
        return {};
    QByteArray bytes = f.readAll();
    *ok = f.error() == QFileDevice::NoError;
    return bytes;
}

} // namespace

int backupCommand(QStringList args)
{
    if (asksForHelp(args)) {
        out() << "Usage:\n" << BackupUsage;
        return ExitOk;
    }
    if (args.isEmpty() || args.size() > 2 || args[0].isEmpty()
        || args[0].startsWith(QLatin1Char('-')))
        return usageError(BackupUsage);
    const QString path = args[0];
    const QString dir = args.size() == 2 ? args[1] : QFileInfo(path).absolutePath();
    if (!QFileInfo(dir).isDir()) {
        err() << "tallybird-data: cannot back up into " << dir << ": not a directory\n";
        return ExitFileError;
    }

    // Only a datafile is backed up; the copy is of the bytes as they are.
    QByteArray bytes;
    {
        DataFile file(path);
        if (const FileError e = file.open(DataFile::Mode::Read); e != FileError::None) {
            err() << "tallybird-data: cannot read " << path << ": " << errorText(e) << "\n";
            return ExitFileError;
        }
        bool ok = false;
        bytes = readAllOf(path, &ok);
        if (!ok) {
            err() << "tallybird-data: cannot read " << path << ": "
                  << errorText(FileError::DeviceIO) << "\n";
            return ExitFileError;
        }
    }

    // A copy kept earlier in the same second took the first name: the first
    // number free is used.
    const QDateTime now = QDateTime::currentDateTime();
    int nth = 1;
    QString target = QDir(dir).filePath(backupFileName(path, now, nth));
    while (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
        target = QDir(dir).filePath(backupFileName(path, now, ++nth));
    const FileError e = RecordStore::writeNewFile(target, bytes, path);
    if (e != FileError::None) {
        err() << "tallybird-data: cannot write " << target << ": "
              << (e == FileError::PathAccess ? QStringLiteral("the file exists already")
                                             : errorText(e))
              << "\n";
        return ExitFileError;
    }
    bool ok = false;
    if (readAllOf(target, &ok) != bytes || !ok) {
        err() << "tallybird-data: the copy " << target << " does not read back as " << path
              << " reads\n";
        return ExitFileError;
    }

    const Result<QList<DataCheck::Finding>> findings = DataCheck::run(target);
    if (!findings) {
        err() << "tallybird-data: cannot check " << target << ": " << errorText(findings.error())
              << "\n";
        return ExitFileError;
    }
    printFindings(*findings);
    out() << "Backed up " << path << " to " << target << ".\n";
    out().flush();
    if (!findings->isEmpty()) {
        err() << "tallybird-data: the copy is exact, but check found " << findings->size()
              << " fault(s) in it\n";
        return ExitFaults;
    }
    return ExitOk;
}
