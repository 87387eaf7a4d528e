#include "ItemProposal.h"

#include <algorithm>

std::optional<qsizetype> proposalFor(const QStringList &sorted, const QString &typed)
{
    if (typed.isEmpty())
        return std::nullopt;
    const auto first = std::lower_bound(sorted.begin(), sorted.end(), typed,
                                        [](const QString &entry, const QString &text) {
                                            return entry.compare(text, Qt::CaseInsensitive) < 0;
                                        });
    if (first == sorted.end() || !first->startsWith(typed, Qt::CaseInsensitive))
        return std::nullopt;
    return qsizetype(first - sorted.begin());
}
