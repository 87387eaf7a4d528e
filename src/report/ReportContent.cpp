#include "ReportContent.h"

#include <QHash>
#include <QSet>

#include <algorithm>

void appendReportLines(ReportList &list, ReportList &&lines)
{
    if (list.isEmpty())
        list = std::move(lines);
    else
        list.append(lines);
    list.sort();
}

QStringView reportKey(QStringView line)
{
    const qsizetype i = line.indexOf(QLatin1Char('-'));
    return i < 0 ? QStringView() : line.left(i);
}

ReportList Sync(const ReportList &queryA, const ReportList &queryB, int andOr)
{
    // The names are views into the two lists, which outlive this function.
    ReportList final;
    if (andOr == 1) {
        QHash<QStringView, qsizetype> inA;
        QHash<QStringView, qsizetype> inB;
        for (qsizetype i = 0; i < queryA.size(); ++i)
            ++inA[reportKey(queryA.at(i))];
        for (qsizetype i = 0; i < queryB.size(); ++i)
            ++inB[reportKey(queryB.at(i))];
        qsizetype pairs = 0;
        for (auto it = inA.cbegin(); it != inA.cend(); ++it)
            pairs += it.value() * inB.value(it.key());
        if (pairs <= MaxFinalLines) {
            for (qsizetype i = 0; i < queryA.size(); ++i) {
                const QStringView key = reportKey(queryA.at(i));
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
        for (qsizetype i = 0; i < queryA.size(); ++i) {
            const QStringView key = reportKey(queryA.at(i));
            final.append(key);
            listed.insert(key);
        }
        for (qsizetype i = 0; i < queryB.size(); ++i) {
            const QStringView key = reportKey(queryB.at(i));
            if (!listed.contains(key)) {
                final.append(key);
                listed.insert(key);
            }
        }
    }
    final.sort();
    return final;
}

ReportDisplay ReadyDisplay(const QString &sentenceA, bool crossReferenced, const QString &kindWord,
                           const QString &sentenceB, int andOr)
{
    ReportDisplay d;
    d.crossReferenced = crossReferenced;
    if (crossReferenced) {
        d.sentenceA = sentenceA;
        d.sentenceB = sentenceB;
        d.joinWord = andOr == 1 ? QStringLiteral("AND") : QStringLiteral("OR");
        d.equalsSign = QStringLiteral("=");
        d.queryBHeading = QStringLiteral("Query B Results");
    } else {
        d.sentenceA = QString();
        d.sentenceB = sentenceA;
        d.queryBHeading = QStringLiteral("Query Results");
    }
    d.caption = kindWord + QStringLiteral(" Report");
    return d;
}
