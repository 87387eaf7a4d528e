// Feeds any bytes to the readers of a supplier's catalogue: the CSV reader,
// the money parser and the item import. Rows written out read back the same;
// an amount shown reads back as itself; an import leaves a datafile whose
// every record decodes, and one it refuses exactly as it was.

#include "FuzzCheck.h"

#include "datafile/DataFile.h"
#include "datafile/ItemEntry.h"
#include "datafile/ItemImport.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordStore.h"

#include <QDate>
#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A shop of three items, made once; each run imports into a fresh copy.
const QByteArray &shop()
{
    static const QByteArray bytes = [] {
        const QString path = fuzzFolder() + QStringLiteral("/shop.tb2");
        const RecordStore store(path);
        FUZZ_CHECK(store.createNew(QDate(2025, 3, 1)) == FileError::None);
        for (const char *name : {"APPLE", "PEAR", "PLUM"})
            FUZZ_CHECK(store.append(ItemEntry::make(QString::fromLatin1(name),
                                                    QString::number(qHash(name) % 1000),
                                                    Currency::fromRaw(12500), 10)
                                        .record())
                           .ok());
        return readFile(path);
    }();
    return bytes;
}

void csvRoundTrip(QByteArrayView bytes)
{
    const Csv::Table table = Csv::parse(bytes);
    if (table.problem)
        return;
    QString written;
    for (const Csv::Row &row : table.rows)
        written += Csv::line(row.fields);
    const Csv::Table again = Csv::parse(written.toUtf8());
    FUZZ_CHECK(!again.problem);
    FUZZ_CHECK(again.rows.size() == table.rows.size());
    for (qsizetype i = 0; i < table.rows.size(); ++i)
        FUZZ_CHECK(again.rows[i].fields == table.rows[i].fields);
}

void money(const QString &text)
{
    (void)MoneyText::parseNumber(text);
    (void)MoneyText::isWholeNumber(text);
    (void)MoneyText::leadingNumber(text);
    const std::optional<Currency> amount = MoneyText::parseCurrency(text);
    FUZZ_CHECK(amount.has_value() == MoneyText::isNumeric(text));
    if (!amount)
        return;
    const QString shown = MoneyText::formatCurrency(*amount);
    const std::optional<Currency> back = MoneyText::parseCurrency(shown);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(MoneyText::formatCurrency(*back) == shown);
}

void import(QByteArrayView csv)
{
    const QString path = fuzzFolder() + QStringLiteral("/import.tb2");
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(shop()) == shop().size());
    }
    const ItemImport::Outcome outcome = ItemImport::run(path, csv);
    if (!outcome.ok()) {
        FUZZ_CHECK(readFile(path) == shop());
        return;
    }
    DataFile file(path);
    FUZZ_CHECK(file.open(DataFile::Mode::Read) == FileError::None);
    FUZZ_CHECK(file.recordCount() == shop().size() / RecordLength + outcome.added);
    FUZZ_CHECK(file.scan(1,
                         [](int, const RecordView &r) {
                             FUZZ_CHECK(r.decode().ok());
                             return true;
                         })
               == FileError::None);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    csvRoundTrip(bytes);
    for (const QByteArray &line : QByteArray::fromRawData(bytes.data(), bytes.size()).split('\n'))
        money(QString::fromUtf8(line));
    import(bytes);
    return 0;
}
