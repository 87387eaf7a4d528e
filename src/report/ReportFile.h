#pragma once

#include "ReportContent.h"

#include "datafile/FileError.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The saved report: a text file of CR LF lines in Windows-1252.
namespace ReportFile {

// "3/15/24 2:05:09 PM": the date and the time in the locale's formats.
QString savedOnText(const QDateTime &when);

// The lines of the saved report.
QStringList lines(const ReportContent &report, const QDateTime &savedAt);

// Writes the lines as a whole new file or not at all: an existing file is
// replaced only once the new one is complete. UnencodableText when a line
// holds a character Windows-1252 has no byte for; nothing is written then.
FileError write(const QString &path, const QStringList &lines);

} // namespace ReportFile
