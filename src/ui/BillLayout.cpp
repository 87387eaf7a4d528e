#include "BillLayout.h"

#include <QRegularExpression>

#include <algorithm>

namespace BillLayout {

namespace {
// Greedy word wrap; a word wider than the paper is broken where it must be.
QStringList wrap(QString text, int columns)
{
    QStringList lines;
    while (text.size() > columns) {
        const qsizetype blank = text.lastIndexOf(QLatin1Char(' '), columns);
        const qsizetype cut = blank > 0 ? blank : columns;
        const QString head = text.left(cut);
        if (!head.trimmed().isEmpty())
            lines << head;
        text = text.mid(cut);
        while (text.startsWith(QLatin1Char(' ')))
            text.remove(0, 1);
    }
    if (!text.isEmpty() || lines.isEmpty())
        lines << text;
    return lines;
}

QStringList fitOne(const QString &line, int columns)
{
    if (line.size() <= columns)
        return {line};
    const QString separator = QStringLiteral(" - ");
    const qsizetype at = line.lastIndexOf(separator);
    const QString amount = at > 0 ? line.mid(at + separator.size()) : QString();
    if (amount.isEmpty() || amount.size() > columns)
        return wrap(line, columns);
    QStringList lines = wrap(line.left(at), columns);
    QString &last = lines.last();
    if (last.size() + 1 + amount.size() <= columns)
        last = last.leftJustified(columns - amount.size()) + amount;
    else
        lines << amount.rightJustified(columns);
    return lines;
}
} // namespace

QStringList fit(const QStringList &lines, int columns)
{
    columns = std::max(columns, 1);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList laid;
    for (const QString &line : lines)
        for (const QString &part : line.split(lineBreak))
            laid << fitOne(part, columns);
    return laid;
}

} // namespace BillLayout
