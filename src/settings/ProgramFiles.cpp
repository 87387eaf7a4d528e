#include "ProgramFiles.h"

#include "HelpFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ProgramFiles {

QStringList searchDirs(const QString &executableDir, const QString &startDir)
{
    QStringList dirs;
    // Without a known executable a relative data folder would mean the current one.
    if (!executableDir.isEmpty()) {
        dirs << QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral("../share/tallybird")))
             << QDir::cleanPath(executableDir);
    }
    dirs << QDir::cleanPath(startDir);
    return dirs;
}

QString programDir(const QString &executableDir, const QString &startDir)
{
    for (const QString &dir : searchDirs(executableDir, startDir)) {
        if (QFileInfo(HelpFiles::helpPage(dir)).isFile()
            || QFileInfo(HelpFiles::splashPicture(dir)).isFile())
            return dir;
    }
    return QDir::cleanPath(startDir);
}

QString programDir()
{
    return programDir(QCoreApplication::applicationDirPath(), QDir::currentPath());
}

} // namespace ProgramFiles
