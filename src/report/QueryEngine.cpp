#include "QueryEngine.h"

#include "cashier/CashierTime.h"
#include "datafile/Cp1252.h"
#include "datafile/Currency.h"
#include "datafile/DataFile.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordCodec.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using namespace QueryCode;

namespace {

double readValue(const FieldValue &field, ValueForm form)
{
    double v = 0;
    switch (form) {
    case ValueForm::Currency:
        v = field.toCurrency().toDouble();
        break;
    case ValueForm::Whole:
        // As a long integer: the nearest whole number, halves to even.
        v = std::nearbyint(field.toNumber());
        break;
    case ValueForm::Duration:
        v = field.toNumber();
        break;
    }
    // A damaged double must not upset the sort.
    return std::isnan(v) ? 0.0 : v;
}

bool passes(double v, int comparison, double value)
{
    switch (comparison) {
    case GreaterThan:
        return v > value;
    case LessThan:
        return v < value;
    case GreaterOrEqual:
        return v >= value;
    case LessOrEqual:
        return v <= value;
    case EqualTo:
        return v == value;
    }
    return false;
}

using Entry = std::pair<double, qsizetype>; // a value and its file position

// All values ascending, equal values in file order.
QList<qsizetype> allAscending(const QList<double> &values)
{
    std::vector<Entry> sorted;
    sorted.reserve(size_t(values.size()));
    for (qsizetype i = 0; i < values.size(); ++i)
        sorted.emplace_back(values[i], i);
    std::sort(sorted.begin(), sorted.end());
    QList<qsizetype> out;
    out.reserve(values.size());
    for (const Entry &e : sorted)
        out.append(e.second);
    return out;
}

// The highest or lowest n of the values, n below their count, with every tie
// at the cut. Sorted ascending, the selection is the n values beyond the cut
// and then the values equal to the one at the cut; each value takes the first
// record of its value, in file order, that has not labelled an earlier one.
// Only the values beyond the cut need sorting: the value at the cut is found
// in linear time, and its records go in file order.
QList<qsizetype> selectBeyondCut(const QList<double> &values, bool highest, qsizetype n)
{
    std::vector<double> scratch(values.cbegin(), values.cend());
    const auto nth =
        highest ? scratch.begin() + (qsizetype(scratch.size()) - n) : scratch.begin() + (n - 1);
    std::nth_element(scratch.begin(), nth, scratch.end());
    const double cut = *nth;

    std::vector<Entry> beyond; // strictly above (below) the cut
    QList<qsizetype> atCut;    // equal to it, in file order
    for (qsizetype i = 0; i < values.size(); ++i) {
        const double v = values[i];
        if (v == cut)
            atCut.append(i);
        else if (highest ? v > cut : v < cut)
            beyond.emplace_back(v, i);
    }
    std::sort(beyond.begin(), beyond.end());

    // How many of the n are the cut value itself.
    const qsizetype cutInN = n - qsizetype(beyond.size());
    QList<qsizetype> out;
    out.reserve(qsizetype(beyond.size()) + atCut.size());
    if (highest) {
        out.append(atCut.mid(0, cutInN));
        for (const Entry &e : beyond)
            out.append(e.second);
        out.append(atCut.mid(cutInN));
    } else {
        for (const Entry &e : beyond)
            out.append(e.second);
        out.append(atCut);
    }
    return out;
}

QList<qsizetype> selectRelative(const QList<double> &values, bool highest, double wanted)
{
    const qsizetype count = values.size();
    if (!(wanted < double(count)))
        return allAscending(values);
    if (!(wanted >= 0.5))
        return {};
    const qsizetype n = qsizetype(std::nearbyint(wanted));
    if (n <= 0)
        return {};
    if (n >= count)
        return allAscending(values);
    return selectBeyondCut(values, highest, n);
}

} // namespace

namespace QueryEngine {

Result<Collected> collect(const QString &datafilePath, ReportKind kind, int property)
{
    Collected out;
    const QueryKind &k = queryKind(kind);
    out.nameField = k.nameField;
    const QueryProperty *prop = k.property(property);
    if (!prop)
        return out;
    DataFile file(datafilePath);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    Result<QByteArray> read = file.readRecords(FirstEntryRecord);
    if (!read)
        return read.error();
    out.records = std::move(*read);
    const qsizetype entries = out.records.size() / RecordLength;
    out.values.reserve(entries);
    out.starts.reserve(entries);
    for (qsizetype start = 0; start < out.records.size(); start += RecordLength) {
        const RecordView view(QByteArrayView(out.records.constData() + start, RecordLength));
        if (!k.takes(view.kind()))
            continue;
        const std::optional<FieldValue> value = view.field(prop->field);
        bool named = value && view.textBytes(k.nameField);
        if (value && !named) {
            if (const std::optional<FieldValue> number = view.field(k.nameField)) {
                out.numberNames.insert(out.values.size(),
                                       Cp1252::encode(number->toText()).value_or(QByteArray()));
                named = true;
            }
        }
        if (!named) {
            // The full decode says what is wrong with the record.
            FileError bad = view.decode().error();
            if (bad == FileError::None)
                bad = FileError::UnknownFieldType;
            return bad;
        }
        out.values.append(readValue(*value, prop->form));
        out.starts.append(start);
    }
    return out;
}

QByteArrayView Collected::nameBytes(qsizetype i) const
{
    if (!numberNames.isEmpty()) {
        const auto it = numberNames.constFind(i);
        if (it != numberNames.cend())
            return *it;
    }
    const RecordView view(QByteArrayView(records.constData() + starts[i], RecordLength));
    return view.textBytes(nameField).value_or(QByteArrayView());
}

QString Collected::name(qsizetype i) const
{
    return Cp1252::decode(nameBytes(i));
}

QList<qsizetype> select(const QList<double> &values, int mode, int comparison, double value)
{
    if (mode == Relative) {
        if (comparison != GreaterThan && comparison != LessThan)
            return {};
        return selectRelative(values, comparison == GreaterThan, value);
    }
    // In file order every passing value is the first unused record of its
    // value, so each record labels itself.
    QList<qsizetype> selected;
    selected.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        if (passes(values[i], comparison, value))
            selected.append(i);
    return selected;
}

std::optional<double> convertValue(ReportKind kind, int property, int mode, const QString &text)
{
    if (mode != Relative) {
        if (property == CurrencyProperty) {
            const std::optional<Currency> amount = MoneyText::parseCurrency(text);
            return amount ? std::optional<double>(amount->toDouble()) : std::nullopt;
        }
        if (kind == ReportKind::Cashier && property == 3) {
            return isValidLoggedOnTime(text) ? std::optional<double>(ParseLoggedOnTime(text))
                                             : std::nullopt;
        }
    }
    const std::optional<double> number = MoneyText::parseNumber(text);
    if (number && std::isnan(*number))
        return std::nullopt;
    return number;
}

QString reportLine(const QString &name, ValueForm form, double value)
{
    QString shown;
    switch (form) {
    case ValueForm::Currency:
        shown = MoneyText::formatCurrency(Currency::fromDouble(value));
        break;
    case ValueForm::Whole:
        shown = MoneyText::numberText(value);
        break;
    case ValueForm::Duration:
        shown = FormatLoggedOnTime(value);
        break;
    }
    return name + QStringLiteral(" - ") + shown;
}

Result<QStringList> run(const QString &datafilePath, ReportKind kind, int property, int mode,
                        int comparison, const QString &value)
{
    QStringList lines;
    const QueryProperty *prop = queryKind(kind).property(property);
    const std::optional<double> wanted = convertValue(kind, property, mode, value);
    if (!prop || !wanted)
        return lines;

    const Result<Collected> read = collect(datafilePath, kind, property);
    if (!read)
        return read.error();
    const Collected &collected = *read;

    const QList<qsizetype> selected = select(collected.values, mode, comparison, *wanted);
    lines.reserve(selected.size());
    // Shops have far fewer prices than items: each amount is formatted once,
    // and each line is made in one piece from the name's bytes and the value.
    QHash<double, QString> shown;

    QString formatted;
    for (const qsizetype i : selected) {
        const double v = collected.values[i];
        const QString *piece = &formatted;
        if (prop->form == ValueForm::Currency) {
            auto it = shown.find(v);
            if (it == shown.end())
                it = shown.insert(v, reportLine(QString(), prop->form, v));
            piece = &*it;
        } else {
            formatted = reportLine(QString(), prop->form, v);
        }
        const QByteArrayView name = collected.nameBytes(i);
        QString line(name.size() + piece->size(), Qt::Uninitialized);
        Cp1252::decodeTo(name, line.data());
        std::copy(piece->cbegin(), piece->cend(), line.data() + name.size());
        lines.append(std::move(line));
    }
    return lines;
}

} // namespace QueryEngine

namespace {
bool runFor(ReportKind kind, QStringList &result, const QString &path, qint16 property, qint16 mode,
            qint16 comparison, const QString &value)
{
    result = QueryEngine::run(path, kind, property, mode, comparison, value).valueOr({});
    return !result.isEmpty();
}
} // namespace

bool RunItemQuery(QStringList &result, const QString &datafilePath, qint16 property, qint16 mode,
                  qint16 comparison, const QString &value)
{
    return runFor(ReportKind::Item, result, datafilePath, property, mode, comparison, value);
}

bool RunCreditQuery(QStringList &result, const QString &datafilePath, qint16 property, qint16 mode,
                    qint16 comparison, const QString &value)
{
    return runFor(ReportKind::Credit, result, datafilePath, property, mode, comparison, value);
}

bool RunCashierQuery(QStringList &result, const QString &datafilePath, qint16 property, qint16 mode,
                     qint16 comparison, const QString &value)
{
    return runFor(ReportKind::Cashier, result, datafilePath, property, mode, comparison, value);
}
