#include "ReportContent.h"

#include "datafile/TextSplit.h"

#include <QHash>
#include <QSet>

#include <algorithm>

void sortReportLines(QStringList &lines)
{
    std::sort(lines.begin(), lines.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

void appendReportLines(QStringList &list, const QStringList &lines)
{
    list.append(lines);
    sortReportLines(list);
}

QString reportKey(const QString &line)
{
    return TextSplit::beforeFirst(line, QLatin1Char('-'));
}

QStringList Sync(const QStringList &List1, const QStringList &List2, int AndOr)
{
    QStringList final;
    if (AndOr == 1) {
        QHash<QString, qsizetype> inA;
        QHash<QString, qsizetype> inB;
        for (const QString &a : List1)
            ++inA[reportKey(a)];
        for (const QString &b : List2)
            ++inB[reportKey(b)];
        qsizetype pairs = 0;
        for (auto it = inA.cbegin(); it != inA.cend(); ++it)
            pairs += it.value() * inB.value(it.key());
        if (pairs <= MaxFinalLines) {
            for (const QString &a : List1)
                for (qsizetype i = inB.value(reportKey(a)); i > 0; --i)
                    final.append(reportKey(a));
        } else {
            for (auto it = inA.cbegin(); it != inA.cend(); ++it) {
                const qsizetype b = inB.value(it.key());
                for (qsizetype i = b > 0 ? std::max(it.value(), b) : 0; i > 0; --i)
                    final.append(it.key());
            }
        }
    } else {
        QSet<QString> listed;
        for (const QString &a : List1) {
            final.append(reportKey(a));
            listed.insert(final.last());
        }
        for (const QString &b : List2) {
            const QString key = reportKey(b);
            if (!listed.contains(key)) {
                final.append(key);
                listed.insert(key);
            }
        }
    }
    sortReportLines(final);
    return final;
}

ReportDisplay ReadyDisplay(const QString &TextA, bool Multi, const QString &ForWhat,
                           const QString &TextB, int AndOr)
{
    ReportDisplay d;
    d.multi = Multi;
    if (Multi) {
        d.Label6 = TextA;
        d.Label7 = TextB;
        d.Label1 = AndOr == 1 ? QStringLiteral("AND") : QStringLiteral("OR");
        d.Label2 = QStringLiteral("=");
        d.Label4 = QStringLiteral("Query B Results");
    } else {
        d.Label6 = QString();
        d.Label7 = TextA;
        d.Label4 = QStringLiteral("Query Results");
    }
    d.caption = ForWhat + QStringLiteral(" Report");
    return d;
}
