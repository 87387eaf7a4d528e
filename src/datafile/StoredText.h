#pragma once

#include "DataRecord.h"

#include <QString>

#include <optional>

// What a typed or imported text may hold before it is stored, and how a
// stored text is shown on a terminal. Control characters are refused: in the
// log and on the bill a line break or an escape sequence inside a name would
// pass for lines or codes of their own.
namespace StoredText {

// A note of several lines keeps its line breaks; every other text is one line.
enum class Lines { One, Several };

// Below U+0020, U+007F and U+0080 to U+009F.
bool isControl(QChar c);

// The first character of `text` that may not be stored: a control character
// (CR and LF allowed in a note of several lines) or one without a
// Windows-1252 byte; nullopt when there is none.
std::optional<QChar> firstRefused(const QString &text, Lines lines = Lines::One);
// The same for every text field of a record; only the notes field has
// several lines.
std::optional<QChar> firstRefused(const DataRecord &record);

// The text in double quotes on one line, quotes, backslashes and control
// characters escaped (\" \\ \n \r \t \xNN). Past `maxChars` characters the
// rest is left out and "…" put in its place.
QString quoted(const QString &text, qsizetype maxChars = -1);

} // namespace StoredText
