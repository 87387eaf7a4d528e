#include "Csv.h"

namespace Csv {

namespace {

// The length of the well-formed UTF-8 sequence at `i`, or 0 when the bytes
// there are no such sequence (stray continuation byte, overlong form,
// surrogate, past U+10FFFF, cut short).
int utf8SequenceAt(QByteArrayView bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b = at(i);
    if (b < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;
        else if (b == 0xED)
            high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        else if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (at(i + k) < 0x80 || at(i + k) > 0xBF)
            return 0;
    }
    return length;
}

// The first byte that is not UTF-8, with its line, or nothing.
std::optional<Problem> checkUtf8(QByteArrayView bytes)
{
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const int n = utf8SequenceAt(bytes, i);
        if (n == 0) {
            return Problem{line,
                           QStringLiteral("not UTF-8 text: byte 0x%1 at column %2")
                               .arg(static_cast<unsigned char>(bytes[i]), 2, 16, QLatin1Char('0'))
                               .arg(i - lineStart + 1)};
        }
        if (bytes[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
        i += n;
    }
    return std::nullopt;
}

bool startsLikeFormula(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char('\''))
        ++i;
    return i < text.size() && QStringView(u"=+-@\t\r").contains(text[i]);
}

} // namespace

Table parse(QByteArrayView utf8)
{
    Table table;
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8 = utf8.sliced(3);
    if (auto problem = checkUtf8(utf8)) {
        table.problem = problem;
        return table;
    }
    const QString text = QString::fromUtf8(utf8);
    const qsizetype size = text.size();

    int line = 1;
    Row row{line, {}};
    QString current;
    bool quoted = false;     // inside a field in quotes
    bool afterQuote = false; // the field's closing quote has been read
    int quoteLine = 0;       // where the open quote was
    const auto endField = [&] {
        row.fields << current;
        current.clear();
        afterQuote = false;
    };
    const auto endRow = [&] {
        // A line of just "" is a row of one empty field, not an empty line.
        const bool blank = row.fields.isEmpty() && current.isEmpty() && !afterQuote;
        endField();
        if (!blank)
            table.rows << row;
        row = Row{line, {}};
    };
    const auto fail = [&](const QString &reason) {
        table.rows.clear();
        table.problem = Problem{line, reason};
        return table;
    };

    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < size && text[i + 1] == QLatin1Char('"')) {
                    current += c;
                    ++i;
                } else {
                    quoted = false;
                    afterQuote = true;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                current += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r') && (i + 1 == size || text[i + 1] == QLatin1Char('\n'))) {
            continue; // the LF, or the end of the text, ends the row
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRow();
        } else if (c == QLatin1Char('"')) {
            if (!current.isEmpty() || afterQuote)
                return fail(QStringLiteral("a quote inside a field that does not begin with one"));
            quoted = true;
            quoteLine = line;
        } else if (afterQuote) {
            return fail(QStringLiteral("text after the closing quote of a field"));
        } else {
            current += c;
        }
    }
    if (quoted) {
        line = quoteLine;
        return fail(QStringLiteral("the quote that opens a field is never closed"));
    }
    if (!current.isEmpty() || afterQuote || !row.fields.isEmpty())
        endRow();
    return table;
}

QString field(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    // A byte order mark at the start of the text would be taken for the file's.
    bool needsQuotes = text.startsWith(QChar(0xFEFF));
    for (QChar c : text) {
        if (special.contains(c)) {
            needsQuotes = true;
            break;
        }
    }
    if (!needsQuotes)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString line(const QStringList &fields)
{
    // An empty line is no row: a row of one empty field is written quoted.
    if (fields.size() == 1 && fields.first().isEmpty())
        return QStringLiteral("\"\"\r\n");
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        out += field(fields[i]);
    }
    return out + QStringLiteral("\r\n");
}

QString textCell(const QString &text)
{
    return startsLikeFormula(text) ? QLatin1Char('\'') + text : text;
}

QString fromTextCell(const QString &cell)
{
    return cell.startsWith(QLatin1Char('\'')) && startsLikeFormula(cell) ? cell.mid(1) : cell;
}

} // namespace Csv
