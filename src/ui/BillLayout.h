#pragma once

#include <QString>
#include <QStringList>

// A printed bill laid out for the paper's width, in characters of the
// printer's fixed font. A text with line breaks (a header or footer) prints
// one line per line. A line too wide for the paper wraps at blanks; an item
// line ("NAME - AMOUNT") keeps its amount, the text after its last " - ",
// whole and right-aligned, so that price and quantity are never cut off.
namespace BillLayout {

QStringList fit(const QStringList &lines, int columns);

} // namespace BillLayout
