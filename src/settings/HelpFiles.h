#pragma once

#include <QString>
#include <QUrl>

// The program's own files in its directory, and the support address.
namespace HelpFiles {

inline const QString SupportAddress = QStringLiteral("support@tallybird.example");

QString helpPage(const QString &programDir);
QString splashPicture(const QString &programDir);
// True when the help page is there to be opened: a file, not a directory.
bool helpPageExists(const QString &programDir);
QUrl supportMail();

} // namespace HelpFiles
