#include "ItemImport.h"

#include "Cp1252.h"
#include "DataFile.h"
#include "ItemEntry.h"
#include "MoneyText.h"
#include "RecordCodec.h"
#include "RecordStore.h"

#include <QHash>
#include <QList>

#include <array>
#include <cerrno>

namespace ItemImport {

namespace {

enum Column { Name, Number, Price, Sold, Stock, Remaining, ColumnCount };

const std::array<QString, ColumnCount> ColumnNames{
    QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Price"),
    QStringLiteral("Sold"), QStringLiteral("Stock"),  QStringLiteral("Remaining"),
};
constexpr std::array<bool, ColumnCount> Required{true, true, true, false, true, false};

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
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

std::optional<QString> unstorable(const QString &what, const QString &text)
{
    const QChar c = Cp1252::firstUnencodable(text);
    if (c.isNull())
        return std::nullopt;
    const QString code = QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
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
        return true;
    });
    if (error != FileError::None)
        stored.unreadable = {0, error};
    return stored;
}

struct Change {
    int record = 0; // 0: a new item
    QByteArray bytes;
};

} // namespace

Outcome run(const QString &path, QByteArrayView csv)
{
    Outcome outcome;
    const auto refuse = [&](int line, const QString &reason) {
        outcome.refused = Csv::Problem{line, reason};
        return outcome;
    };

    const Csv::Table table = Csv::parse(csv);
    if (table.problem)
        return refuse(table.problem->line, table.problem->reason);
    if (table.rows.isEmpty())
        return refuse(1, QStringLiteral("the file is empty; the first line must name the columns"));
    Header header;
    if (auto problem = readHeader(table.rows.first().fields, header))
        return refuse(table.rows.first().line, *problem);

    // The plan is made and written in one opening of the datafile.
    const RecordStore store(path);
    std::optional<Csv::Problem> refusal;
    const FileError error = store.rewrite([&](DataFile &file, QIODevice &target) {
        Stored stored = readStored(file);
        if (stored.unreadable) {
            const auto [n, why] = stored.unreadable.value();
            if (n == 0)
                return why;
            refusal = Csv::Problem{
                0, QStringLiteral("record %1 of the datafile cannot be read (%2); nothing was "
                                  "imported")
                       .arg(n)
                       .arg(errorText(why))};
            return why;
        }

        // The datafile items the catalogue updates, so that their old names
        // may be taken by other rows.
        QHash<int, bool> matched;
        for (qsizetype r = 1; r < table.rows.size(); ++r) {
            const QStringList &f = table.rows[r].fields;
            const int at = header.index[Number];
            if (at < f.size()) {
                const auto found = stored.byNumber.constFind(f[at]);
                if (found != stored.byNumber.cend() && found->size() == 1)
                    matched.insert(found->first(), true);
            }
        }

        QHash<QString, int> rowOfNumber, rowOfName; // the line of each in the catalogue
        QList<Change> changes;
        int records = stored.count;
        const auto fail = [&](int line, const QString &reason) {
            refusal = Csv::Problem{line, reason};
            return FileError::BadFileFormat;
        };
        for (qsizetype r = 1; r < table.rows.size(); ++r) {
            const Csv::Row &row = table.rows[r];
            if (row.fields.size() != header.fields)
                return fail(row.line, QStringLiteral("%1 fields, but the first line names %2 "
                                                     "columns")
                                          .arg(row.fields.size())
                                          .arg(header.fields));
            const auto cell = [&](Column c) {
                return header.index[c] < 0 ? QString() : row.fields[header.index[c]];
            };
            ItemTexts texts{cell(Name), cell(Number), cell(Price),
                            cell(Sold), cell(Stock),  cell(Remaining)};
            if (header.index[Remaining] < 0 && MoneyText::isWholeNumber(texts.stock)
                && (texts.sold.isEmpty() || MoneyText::isWholeNumber(texts.sold))) {
                const double sold = texts.sold.isEmpty() ? 0 : *MoneyText::parseNumber(texts.sold);
                texts.remaining =
                    MoneyText::numberText(*MoneyText::parseNumber(texts.stock) - sold);
            }
            const ItemCheck check = ItemEntry::fromTexts(texts);
            if (check.fault != ItemFault::None)
                return fail(row.line, faultText(check.fault, texts));
            if (auto why = unstorable(QStringLiteral("item name"), texts.name))
                return fail(row.line, *why);
            if (auto why = unstorable(QStringLiteral("item number"), texts.number))
                return fail(row.line, *why);

            if (const auto other = rowOfNumber.constFind(texts.number); other != rowOfNumber.cend())
                return fail(row.line, QStringLiteral("the item number %1 is also on line %2")
                                          .arg(quoted(texts.number))
                                          .arg(*other));
            rowOfNumber.insert(texts.number, row.line);
            if (const auto other = rowOfName.constFind(texts.name); other != rowOfName.cend())
                return fail(row.line, QStringLiteral("the item name %1 is also on line %2")
                                          .arg(quoted(texts.name))
                                          .arg(*other));
            rowOfName.insert(texts.name, row.line);

            const QList<int> holders = stored.byNumber.value(texts.number);
            if (holders.size() > 1)
                return fail(row.line, QStringLiteral("the item number %1 belongs to more than "
                                                     "one item of the datafile (records %2 and "
                                                     "%3)")
                                          .arg(quoted(texts.number))
                                          .arg(holders[0])
                                          .arg(holders[1]));
            const int existing = holders.isEmpty() ? 0 : holders.first();
            for (const int owner : stored.byName.value(texts.name)) {
                if (owner != existing && !matched.contains(owner))
                    return fail(row.line,
                                QStringLiteral("the item name %1 belongs to the item at record %2 "
                                               "of the datafile, which has another number")
                                    .arg(quoted(texts.name))
                                    .arg(owner));
            }

            ItemEntry item = check.item;
            if (existing > 0) {
                // Name, price and stock from the catalogue; what was sold stays.
                const qsizetype at = qsizetype(existing - 1) * RecordLength;
                const Result<DataRecord> old =
                    RecordView(QByteArrayView(stored.records.constData() + at, RecordLength))
                        .decode();
                if (!old)
                    return old.error();
                item = ItemEntry(*old);
                item.setName(check.item.name());
                item.setPrice(check.item.price());
                item.setStock(check.item.stock());
                item.setRemaining(check.item.stock() - item.sold());
            } else if (records >= MaxRecords) {
                return fail(row.line, QStringLiteral("the datafile is full: a datafile holds at "
                                                     "most 32,744 entries"));
            } else {
                ++records;
            }
            const Result<QByteArray> bytes = RecordCodec::encode(item.record());
            if (!bytes) {
                if (bytes.error() == FileError::BadRecordLength)
                    return fail(row.line, QStringLiteral("the item does not fit in one record of "
                                                         "%1 bytes (it needs %2); shorten the "
                                                         "name or the number")
                                              .arg(RecordLength)
                                              .arg(RecordCodec::encodedSize(item.record())));
                return fail(row.line, errorText(bytes.error()));
            }
            changes.append({existing, *bytes});
        }

        for (const Change &change : changes) {
            if (change.record > 0) {
                stored.records.replace(qsizetype(change.record - 1) * RecordLength, RecordLength,
                                       change.bytes);
                ++outcome.updated;
            } else {
                stored.records.append(change.bytes);
                ++outcome.added;
            }
        }
        if (target.write(stored.records) != stored.records.size())
            return errno == ENOSPC ? FileError::DiskFull : FileError::DeviceIO;
        return FileError::None;
    });
    if (refusal) {
        outcome.added = outcome.updated = 0;
        outcome.refused = refusal;
        return outcome;
    }
    if (error != FileError::None) {
        outcome.added = outcome.updated = 0;
        outcome.error = error;
    }
    return outcome;
}

} // namespace ItemImport
