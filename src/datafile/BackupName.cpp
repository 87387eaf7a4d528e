#include "BackupName.h"

QString backupFileName(const QString &datafilePath, const QDateTime &at, int nth)
{
    QString name = datafilePath.mid(datafilePath.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.endsWith(QLatin1String(".tb2"), Qt::CaseInsensitive))
        name.chop(4);
    name += at.toString(QStringLiteral("-yyyyMMdd-HHmmss"));
    if (nth > 1)
        name += QLatin1Char('-') + QString::number(nth);
    return name + QStringLiteral(".tb2");
}
