#include "TempDir.h"

#include <QDir>
#include <QFile>

TempDir::TempDir() = default;

QString TempDir::path(const QString &name) const { return m_dir.filePath(name); }

QString TempDir::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString p = path(name);
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return p;
}

QByteArray TempDir::readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList TempDir::files() const
{
    QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}
