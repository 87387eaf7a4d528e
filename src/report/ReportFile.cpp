#include "ReportFile.h"

#include "datafile/Cp1252.h"
#include "datafile/FileDeviceError.h"
#include "datafile/MoneyText.h"

#include <QSaveFile>

#include <cerrno>

namespace {

const QString Rule = QString(30, QLatin1Char('='));
const QString Dashes = QString(30, QLatin1Char('-'));

void appendList(QStringList &out, const ReportList &list)
{
    if (list.isEmpty())
        out.append(QStringLiteral("No data in list."));
    else
        out.append(list.toStringList());
}

} // namespace

namespace ReportFile {

QString savedOnText(const QDateTime &when)
{
    const QLocale loc = MoneyText::locale();
    // The long time format with its seconds, less the time zone it ends with.
    QString timeFormat = loc.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return loc.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + loc.toString(when.time(), timeFormat.trimmed());
}

QStringList lines(const ReportContent &report, const QDateTime &savedAt)
{
    const ReportDisplay &d = report.display;
    QStringList out{QStringLiteral("Tallybird Report"), d.caption,
                    QStringLiteral("Saved on: ") + savedOnText(savedAt), Rule};
    if (d.crossReferenced) {
        out << QStringLiteral("Query A Results") << d.sentenceA << Dashes;
        appendList(out, report.queryALines);
        out << Rule << QStringLiteral("Query B Results ") << d.sentenceB << Dashes;
        appendList(out, report.queryBLines);
        out << Rule << QStringLiteral("Final Query Results") << d.sentenceA << d.joinWord
            << d.sentenceB << Dashes;
        appendList(out, report.finalNames);
        out << Rule;
    } else {
        out << QStringLiteral("Query Results") << d.sentenceB << Dashes;
        appendList(out, report.queryBLines);
        out << Rule;
    }
    return out;
}

FileError write(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    const std::optional<QByteArray> bytes = Cp1252::encode(text);
    if (!bytes)
        return FileError::UnencodableText;

    errno = 0; // what fileErrorOf reads is then this save's
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fileErrorOf(file);
    if (file.write(*bytes) != bytes->size()) {
        const FileError error = fileErrorOf(file);
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return fileErrorOf(file);
    return FileError::None;
}

} // namespace ReportFile
