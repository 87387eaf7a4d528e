#include "ReportContent.h"

#include <QHash>
#include <QSet>

#include <algorithm>

void appendReportLines(ReportList &list, const ReportList &lines)
{
    list.append(lines);
    list.sort();
}

QStringView reportKey(QStringView line)
{
    const qsizetype i = line.indexOf(QLatin1Char('-'));
    return i < 0 ? QStringView() : line.left(i);
}

ReportList Sync(const ReportList &List1, const ReportList &List2, int AndOr)
{
    // The names are views into the two lists, which outlive this function.
    ReportList final;
    if (AndOr == 1) {
        QHash<QStringView, qsizetype> inA;
        QHash<QStringView, qsizetype> inB;
        for (qsizetype i = 0; i < List1.size(); ++i)
            ++inA[reportKey(List1.at(i))];
        for (qsizetype i = 0; i < List2.size(); ++i)
            ++inB[reportKey(List2.at(i))];
        qsizetype pairs = 0;
        for (auto it = inA.cbegin(); it != inA.cend(); ++it)
            pairs += it.value() * inB.value(it.key());
        if (pairs <= MaxFinalLines) {
            for (qsizetype i = 0; i < List1.size(); ++i) {
                const QStringView key = reportKey(List1.at(i));
                for (qsizetype n = inB.value(key); n > 0; --n)
                    final.append(key);
            }
        } else {
            for (auto it = inA.cbegin(); it != inA.cend(); ++it) {
                const qsizetype b = inB.value(it.key());
                for (qsizetype n = b > 0 ? std::max(it.value(), b) : 0; n > 0; --n)
                    final.append(it.key());
            }
        }
    } else {
        QSet<QStringView> listed;
        for (qsizetype i = 0; i < List1.size(); ++i) {
            const QStringView key = reportKey(List1.at(i));
            final.append(key);
            listed.insert(key);
        }
        for (qsizetype i = 0; i < List2.size(); ++i) {
            const QStringView key = reportKey(List2.at(i));
            if (!listed.contains(key)) {
                final.append(key);
                listed.insert(key);
            }
        }
    }
    final.sort();
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
