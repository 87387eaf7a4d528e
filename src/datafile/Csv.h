#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Comma-separated values as RFC 4180 has them: fields separated by commas,
// records ended by CR LF (a bare LF is read too), a field in double quotes
// when it holds a comma, a quote or a line end, a quote inside one doubled.
// The text is UTF-8; a byte order mark at the start is skipped.
namespace Csv {

struct Row {
    int line = 0; // the line the row starts on, from 1
    QStringList fields;
};

// Why the text cannot be read, and on which line.
struct Problem {
    int line = 0;
    QString reason;
};

// Every row of the text, or the first problem. Empty lines are no rows.
struct Table {
    QList<Row> rows;
    std::optional<Problem> problem;
};
Table parse(QByteArrayView utf8);

// A field as it is written: in quotes when it needs them.
QString field(const QString &text);
// One record: the fields, commas between them, CR LF after them.
QString line(const QStringList &fields);

// A text cell that a spreadsheet must not take for a formula: a text that,
// after the "'"s it may begin with, begins with =, +, -, @, TAB or CR gets one
// more "'" in front. Numbers and money are no text cells.
QString textCell(const QString &text);
// The text of a cell written by textCell: without that one "'".
QString fromTextCell(const QString &cell);

} // namespace Csv
