#include "ItemImport.h"

#include "DataFile.h"
#include "FileDeviceError.h"
#include "ItemEntry.h"
#include "MoneyText.h"
#include "RecordCodec.h"
#include "RecordStore.h"
#include "StoredText.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <array>

namespace ItemImport {

namespace {

enum Column { Name, Number, Price, Sold, Stock, Remaining, ColumnCount };

const std::array<QString, ColumnCount> ColumnNames{
    QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Price"),
    QStringLiteral("Sold"), QStringLiteral("Stock"),  QStringLiteral("Remaining"),
};
constexpr std::array<bool, ColumnCount> Required{true, true, true, false, true, false};

// A catalogue's value in a message: escaped, and cut short, as a refused cell
// may be megabytes long.
QString quoted(const QString &text)
{
    return StoredText::quoted(text, 60);
}

// Where each column is in the rows, -1 for an optional one that is absent.
struct Header {
    std::array<int, ColumnCount> index{};
    int fields = 0;
};

std::optional<QString> readHeader(const QStringList &names, Header &header)
{
    header.index.fill(-1);
    header.fields = int(names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names[i].trimmed();
        int column = -1;
        for (int c = 0; c < ColumnCount; ++c) {
            if (name.compare(ColumnNames[c], Qt::CaseInsensitive) == 0)
                column = c;
        }
        // A spreadsheet set to a language with a decimal comma writes its
        // "CSV" with semicolons.
        if (column < 0 && names.size() == 1 && name.contains(QLatin1Char(';')))
            return QStringLiteral("the columns are separated by semicolons, not commas: save the "
                                  "file again as CSV with commas as separators");
        if (column < 0)
            return QStringLiteral("the column %1 is not one of Name, Number, Price, Sold, "
                                  "Stock, Remaining")
                .arg(quoted(names[i]));
        if (header.index[column] >= 0)
            return QStringLiteral("the column %1 appears twice").arg(quoted(ColumnNames[column]));
        header.index[column] = i;
    }
    for (int c = 0; c < ColumnCount; ++c) {
        if (Required[c] && header.index[c] < 0)
            return QStringLiteral("the column %1 is missing").arg(quoted(ColumnNames[c]));
    }
    return std::nullopt;
}

QString faultText(ItemFault fault, const ItemTexts &t)
{
    switch (fault) {
    case ItemFault::Name:
        return QStringLiteral("the item name %1 is not allowed (an item name may not be empty, "
                              "\"***\" or \"*+*\", nor begin with \"Sub Total\" or \"Grand "
                              "Total\")")
            .arg(quoted(t.name));
    case ItemFault::Number:
        return QStringLiteral("the item number %1 is not a number").arg(quoted(t.number));
    case ItemFault::Price:
        return QStringLiteral("the price %1 is not a number").arg(quoted(t.price));
    case ItemFault::Sold:
        return QStringLiteral("Sold %1 is not a whole number").arg(quoted(t.sold));
    case ItemFault::Stock:
        return QStringLiteral("Stock %1 is not a whole number").arg(quoted(t.stock));
    case ItemFault::Remaining:
        return QStringLiteral("Remaining %1 is not a whole number").arg(quoted(t.remaining));
    case ItemFault::Unbalanced:
        return QStringLiteral("Sold %1 + Remaining %2 is not Stock %3")
            .arg(t.sold.isEmpty() ? QStringLiteral("0") : t.sold, t.remaining, t.stock);
    case ItemFault::None:
        break;
    }
    return QString();
}

QStringView withoutLeadingZeros(QStringView number)
{
    while (number.startsWith(QLatin1Char('0')))
        number = number.mid(1);
    return number;
}

std::optional<QString> unstorable(const QString &what, const QString &text)
{
    const std::optional<QChar> refused = StoredText::firstRefused(text);
    if (!refused)
        return std::nullopt;
    const QChar c = *refused;
    const QString code = QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    if (StoredText::isControl(c))
        return QStringLiteral("the %1 %2 holds the control character U+%3 (line breaks, tabs "
                              "and other control characters are not allowed)")
            .arg(what, quoted(text), code);
    return QStringLiteral("the %1 %2 holds the character %3 (U+%4), which a datafile cannot "
                          "store (Windows-1252 only)")
        .arg(what, quoted(text), QString(c), code);
}

// The items of the datafile, by number and by name.
struct Stored {
    QByteArray records; // every whole record
    int count = 0;
    QHash<QString, QList<int>> byNumber;
    QHash<QString, QList<int>> byName;
    QHash<int, QString> numberOf;
    std::optional<std::pair<int, FileError>> unreadable;
};

Stored readStored(DataFile &file)
{
    Stored stored;
    stored.count = file.recordCount();
    stored.records.reserve(qsizetype(stored.count) * RecordLength);
    const FileError error = file.scan(1, [&](int n, const RecordView &view) {
        stored.records.append(view.bytes().data(), view.bytes().size());
        if (n < FirstEntryRecord || view.kind() != RecordKind::Item)
            return true;
        const std::optional<FieldValue> name = view.field(ItemNameField);
        const std::optional<FieldValue> number = view.field(ItemNumberField);
        if (!name || !number) {
            if (!stored.unreadable)
                stored.unreadable = {n, view.decode().error()};
            return true;
        }
        stored.byNumber[number->toText()].append(n);
        stored.byName[name->toText()].append(n);
        stored.numberOf.insert(n, number->toText());
        return true;
    });
    if (error != FileError::None)
        stored.unreadable = {0, error};
    return stored;
}

// Checks the catalogue's rows against each other and the datafile, and makes
// the record of each.
class Plan
{
public:
    Plan(const Header &header, const QList<Csv::Row> &rows, const Stored &stored)
        : m_header(header), m_rows(rows), m_stored(stored), m_records(stored.count)
    {
        // The datafile items the catalogue updates: their old names are free
        // for other rows.
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const QList<int> holders = m_stored.byNumber.value(cell(rows[r], Number).trimmed());
            if (holders.size() == 1)
                m_matched.insert(holders.first());
        }
    }

    // The first row that cannot be imported, or nothing when all can.
    std::optional<Csv::Problem> make()
    {
        for (qsizetype r = 1; r < m_rows.size(); ++r) {
            if (auto why = add(m_rows[r]))
                return Csv::Problem{m_rows[r].line, *why};
        }
        return std::nullopt;
    }

    struct Records {
        QByteArray bytes;
        int added = 0;
        int updated = 0;
    };
    // The datafile's records with the changes made.
    Records apply() const
    {
        Records out{m_stored.records};
        for (const Change &change : m_changes) {
            if (change.record > 0) {
                out.bytes.replace(qsizetype(change.record - 1) * RecordLength, RecordLength,
                                  change.bytes);
                ++out.updated;
            } else {
                out.bytes.append(change.bytes);
                ++out.added;
            }
        }
        return out;
    }

private:
    struct Change {
        int record = 0; // 0: a new item
        QByteArray bytes;
    };

    QString cell(const Csv::Row &row, Column c) const
    {
        const int at = m_header.index[c];
        return at < 0 || at >= row.fields.size() ? QString() : row.fields[at];
    }

    ItemTexts textsOf(const Csv::Row &row) const
    {
        ItemTexts texts{Csv::fromTextCell(cell(row, Name).trimmed()).trimmed(),
                        cell(row, Number).trimmed(),
                        cell(row, Price),
                        cell(row, Sold),
                        cell(row, Stock),
                        cell(row, Remaining)};
        // Without the column, what remains is what was not sold.
        if (m_header.index[Remaining] < 0 && MoneyText::isWholeNumber(texts.stock)
            && (texts.sold.isEmpty() || MoneyText::isWholeNumber(texts.sold))) {
            const double sold = texts.sold.isEmpty() ? 0 : *MoneyText::parseNumber(texts.sold);
            texts.remaining = MoneyText::numberText(*MoneyText::parseNumber(texts.stock) - sold);
        }
        return texts;
    }

    std::optional<QString> add(const Csv::Row &row)
    {
        if (row.fields.size() != m_header.fields)
            return QStringLiteral("%1 fields, but the first line names %2 columns")
                .arg(row.fields.size())
                .arg(m_header.fields);
        const ItemTexts texts = textsOf(row);
        const ItemCheck check = ItemEntry::fromTexts(texts);
        if (check.fault != ItemFault::None)
            return faultText(check.fault, texts);
        if (auto why = unstorable(QStringLiteral("item name"), texts.name))
            return why;
        if (auto why = unstorable(QStringLiteral("item number"), texts.number))
            return why;
        // The till and the item browser look names up in capitals, as their
        // boxes turn what is typed into capitals.
        const QString name = texts.name.toUpper();
        if (auto why = unstorable(QStringLiteral("item name in capitals"), name))
            return why;

        if (const auto other = m_lineOfNumber.constFind(texts.number);
            other != m_lineOfNumber.cend())
            return QStringLiteral("the item number %1 is also on line %2")
                .arg(quoted(texts.number))
                .arg(*other);
        m_lineOfNumber.insert(texts.number, row.line);
        if (const auto other = m_lineOfName.constFind(name); other != m_lineOfName.cend())
            return QStringLiteral("the item name %1 is also on line %2")
                .arg(quoted(name))
                .arg(*other);
        m_lineOfName.insert(name, row.line);

        const QList<int> holders = m_stored.byNumber.value(texts.number);
        if (holders.size() > 1)
            return QStringLiteral("the item number %1 belongs to more than one item of the "
                                  "datafile (records %2 and %3)")
                .arg(quoted(texts.number))
                .arg(holders[0])
                .arg(holders[1]);
        const int existing = holders.isEmpty() ? 0 : holders.first();
        for (const int owner : m_stored.byName.value(name)) {
            if (owner == existing || m_matched.contains(owner))
                continue;
            const QString theirs = m_stored.numberOf.value(owner);
            if (existing == 0 && theirs.size() > texts.number.size()
                && withoutLeadingZeros(theirs) == withoutLeadingZeros(texts.number))
                return QStringLiteral("the item number %1 is not in the datafile, but its item %2 "
                                      "at record %3 has the number %4: a spreadsheet may have "
                                      "dropped the leading zeros (import the Number column as "
                                      "text)")
                    .arg(quoted(texts.number), quoted(name), QString::number(owner),
                         quoted(theirs));
            return QStringLiteral("the item name %1 belongs to the item at record %2 of the "
                                  "datafile, which has another number")
                .arg(quoted(name))
                .arg(owner);
        }

        ItemEntry item = check.item;
        item.setName(name);
        if (existing > 0) {
            // Name, price and stock from the catalogue; what was sold stays.
            const qsizetype at = qsizetype(existing - 1) * RecordLength;
            const Result<DataRecord> old =
                RecordView(QByteArrayView(m_stored.records.constData() + at, RecordLength))
                    .decode();
            if (!old)
                return QStringLiteral("the item at record %1 of the datafile cannot be read (%2)")
                    .arg(existing)
                    .arg(errorText(old.error()));
            item = ItemEntry(*old);
            item.setName(name);
            item.setPrice(check.item.price());
            item.setStock(check.item.stock());
            item.setRemaining(check.item.stock() - item.sold());
        } else if (m_records >= MaxRecords) {
            return QStringLiteral("the datafile is full: a datafile holds at most 32,744 entries");
        }

        const Result<QByteArray> bytes = RecordCodec::encode(item.record());
        if (bytes.error() == FileError::BadRecordLength)
            return QStringLiteral("the item does not fit in one record of %1 bytes (it needs "
                                  "%2); shorten the name or the number")
                .arg(RecordLength)
                .arg(RecordCodec::encodedSize(item.record()));
        if (!bytes)
            return errorText(bytes.error());
        if (existing == 0)
            ++m_records;
        m_changes.append({existing, *bytes});
        return std::nullopt;
    }

    const Header &m_header;
    const QList<Csv::Row> &m_rows;
    const Stored &m_stored;
    int m_records;
    QSet<int> m_matched;
    QHash<QString, int> m_lineOfNumber; // the catalogue's line of each number
    QHash<QString, int> m_lineOfName;
    QList<Change> m_changes;
};

// Reads the catalogue and its header row; the first problem when it cannot.
std::optional<Csv::Problem> readCatalogue(QByteArrayView csv, Csv::Table &table, Header &header)
{
    table = Csv::parse(csv);
    // A spreadsheet writes plain "CSV" in the system's code page, on Windows
    // most often 1252.
    if (table.problem && !csv.isValidUtf8())
        return Csv::Problem{table.problem->line,
                            table.problem->reason
                                + QStringLiteral("; the file is not UTF-8 text (most likely "
                                                 "Windows-1252, which spreadsheets write for "
                                                 "plain CSV): save it again as \"CSV UTF-8\" (in "
                                                 "LibreOffice: Text CSV with the character set "
                                                 "Unicode (UTF-8))")};
    if (table.problem)
        return table.problem;
    if (table.rows.isEmpty())
        return Csv::Problem{
            1, QStringLiteral("the file is empty; the first line must name the columns")};
    if (auto problem = readHeader(table.rows.first().fields, header))
        return Csv::Problem{table.rows.first().line, *problem};
    return std::nullopt;
}

} // namespace

Outcome run(const QString &path, QByteArrayView csv)
{
    Outcome outcome;
    // The plan is made and written in one opening of the datafile. A refusal
    // ends the rewrite before the new file takes the old one's place. The
    // datafile is opened first, so that a catalogue given in its place is
    // refused as no datafile.
    Csv::Table table;
    Header header;
    std::optional<Csv::Problem> refusal;
    Plan::Records records;
    const FileError error = RecordStore(path).rewrite([&](DataFile &file, QIODevice &target) {
        refusal = readCatalogue(csv, table, header);
        if (refusal)
            return FileError::BadFileFormat;
        const Stored stored = readStored(file);
        if (stored.unreadable) {
            const auto [n, why] = *stored.unreadable;
            if (n > 0)
                refusal = Csv::Problem{
                    0, QStringLiteral("record %1 of the datafile cannot be read (%2); nothing "
                                      "was imported")
                           .arg(n)
                           .arg(errorText(why))};
            return why;
        }
        Plan plan(header, table.rows, stored);
        refusal = plan.make();
        if (refusal)
            return FileError::BadFileFormat;
        records = plan.apply();
        if (target.write(records.bytes) != records.bytes.size())
            return fileErrorOf(target);
        return FileError::None;
    });
    if (refusal) {
        outcome.refused = refusal;
        return outcome;
    }
    if (error != FileError::None) {
        outcome.error = error;
        return outcome;
    }
    outcome.added = records.added;
    outcome.updated = records.updated;
    return outcome;
}

} // namespace ItemImport
