#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its own files, the help page and the splash picture.
namespace ProgramFiles {

// The folders looked in, first to last: the data folder of an installed program
// (<prefix>/share/tallybird beside <prefix>/bin), the executable's own folder (a
// build folder), and the folder current at start.
QStringList searchDirs(const QString &executableDir, const QString &startDir);

// The first of those folders that holds the help page or the splash picture. When
// none does, the folder current at start, so that a missing help page is reported
// as missing there.
QString programDir(const QString &executableDir, const QString &startDir);

// The program folder of this process; call it once at start, before anything
// changes the current folder.
QString programDir();

} // namespace ProgramFiles
