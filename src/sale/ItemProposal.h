#pragma once

#include <QStringList>

#include <optional>

// The item box's proposal: the first entry of the pick list that begins with
// what was typed, ignoring case. The list is sorted without regard to case,
// as the item box keeps it, so the search halves it instead of reading it all.
std::optional<qsizetype> proposalFor(const QStringList &sorted, const QString &typed);
