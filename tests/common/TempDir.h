#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A scratch folder for one test, with helpers to lay files in it.
class TempDir
{
public:
    TempDir();
    QString path(const QString &name) const;
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    static QByteArray readFile(const QString &path);
    // Names of the files in the folder, sorted.
    QStringList files() const;

private:
    QTemporaryDir m_dir;
};
