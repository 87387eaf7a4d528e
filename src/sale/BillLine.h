#pragma once

#include <QString>

#include <optional>

// The texts of the bill's lines: name, " - ", price, "   X   ", quantity.
namespace BillLine {

// The item name of a line: the text before its last "-", less the blank.
QString itemName(const QString &line);

// A quantity as typed at the counter, read the one way that ringing, the
// line's amount and its removal all use; nullopt when it is no quantity.
std::optional<double> quantity(const QString &typed);

} // namespace BillLine
