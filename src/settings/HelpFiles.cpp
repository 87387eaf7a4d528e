#include "HelpFiles.h"

#include <QDir>
#include <QFileInfo>

namespace HelpFiles {

QString helpPage(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("Tallybird.htm"));
}

QString splashPicture(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("splash.bmp"));
}

bool helpPageExists(const QString &programDir)
{
    return QFileInfo(helpPage(programDir)).isFile();
}

QUrl supportMail()
{
    return QUrl(QStringLiteral("mailto:") + SupportAddress);
}

} // namespace HelpFiles
