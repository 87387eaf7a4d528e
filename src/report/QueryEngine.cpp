#include "QueryEngine.h"

#include "cashier/CashierTime.h"
#include "datafile/Cp1252.h"
#include "datafile/Currency.h"
#include "datafile/DataFile.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordCodec.h"

#include <algorithm>
#include <bit>
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

// The values passing a comparison with `value`, in file order. The test is
// chosen once, outside the loop over every record of the kind.
QList<qsizetype> passing(const QList<double> &values, int comparison, double value)
{
    const auto every = [&values](auto passes) {
        QList<qsizetype> selected(values.size());
        qsizetype *out = selected.data();
        const double *v = values.constData();
        for (qsizetype i = 0; i < values.size(); ++i)
            if (passes(v[i]))
                *out++ = i;
        selected.resize(out - selected.constData());
        return selected;
    };
    switch (comparison) {
    case GreaterThan:
        return every([value](double v) { return v > value; });
    case LessThan:
        return every([value](double v) { return v < value; });
    case GreaterOrEqual:
        return every([value](double v) { return v >= value; });
    case LessOrEqual:
        return every([value](double v) { return v <= value; });
    case EqualTo:
        return every([value](double v) { return v == value; });
    }
    return {};
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

// " - value", the part of a report line after the name: the value written
// as the property shows it.
QString valuePart(ValueForm form, double value, const MoneyText::CurrencyFormat &currency)
{
    QString shown;
    switch (form) {
    case ValueForm::Currency:
        shown = currency(Currency::fromDouble(value));
        break;
    case ValueForm::Whole:
        shown = MoneyText::numberText(value);
        break;
    case ValueForm::Duration:
        shown = FormatLoggedOnTime(value);
        break;
    }
    return QStringLiteral(" - ") + shown;
}

// The values of a report written out, each once: a report of a full datafile
// looks one up for every line, so they are found by the value's bits in a
// table of their own, and their texts lie side by side in one string.
class ValueTexts
{
public:
    explicit ValueTexts(ValueForm form) : m_form(form) { m_slots.resize(size_t(1) << m_bits); }

    // The text of `value`, valid until the next call.
    QStringView of(double value)
    {
        if (value == 0)
            value = 0.0; // -0 reads as 0
        const quint64 bits = std::bit_cast<quint64>(value);
        size_t slot = slotOf(bits);
        while (m_slots[slot].length >= 0) {
            if (m_slots[slot].bits == bits)
                return QStringView(m_text).mid(m_slots[slot].start, m_slots[slot].length);
            slot = (slot + 1) & (m_slots.size() - 1);
        }
        const QString text = valuePart(m_form, value, m_currency);
        m_slots[slot] = {bits, m_text.size(), text.size()};
        m_text += text;
        if (++m_count * 2 > m_slots.size())
            grow();
        return QStringView(m_text).right(text.size());
    }

private:
    struct Slot {
        quint64 bits = 0;
        qsizetype start = 0;
        qsizetype length = -1; // -1: empty
    };

    // The top bits of the bits times the golden ratio: every bit of the value
    // counts, so whole amounts, whose low bits are all zero, spread too.
    size_t slotOf(quint64 bits) const
    {
        return size_t((bits * 0x9E3779B97F4A7C15ull) >> (64 - m_bits));
    }

    void grow()
    {
        std::vector<Slot> old(size_t(1) << ++m_bits);
        old.swap(m_slots);
        for (const Slot &entry : old) {
            if (entry.length < 0)
                continue;
            size_t slot = slotOf(entry.bits);
            while (m_slots[slot].length >= 0)
                slot = (slot + 1) & (m_slots.size() - 1);
            m_slots[slot] = entry;
        }
    }

    ValueForm m_form;
    MoneyText::CurrencyFormat m_currency;
    int m_bits = 10;
    size_t m_count = 0;
    std::vector<Slot> m_slots;
    QString m_text;
};

} // namespace

namespace QueryEngine {

Result<Collected> collect(const QString &datafilePath, ReportKind kind, int property)
{
    Collected out;
    const QueryKind &k = queryKind(kind);
    const QueryProperty *prop = k.property(property);
    if (!prop)
        return out;
    DataFile file(datafilePath);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    Result<QByteArray> read = file.readRecords(FirstEntryRecord);
    if (!read)
        return read.error();
    out.bytes = std::move(*read);
    const qsizetype end = out.bytes.size();
    // Room for every entry, filled in place and cut to the records taken.
    out.values.resize(end / RecordLength);
    out.names.resize(end / RecordLength);
    double *values = out.values.data();
    Collected::Span *names = out.names.data();
    qsizetype taken = 0;
    for (qsizetype start = 0; start < end; start += RecordLength) {
        const RecordView view(QByteArrayView(out.bytes.constData() + start, RecordLength));
        if (!k.takes(view.kind()))
            continue;
        // Most figures are stored as integers or money and are read straight
        // from the bytes; a double or a text typed into a box is decoded.
        std::optional<double> value;
        if (const double exact = view.exactNumber(prop->field); !std::isnan(exact))
            value = prop->form == ValueForm::Whole ? std::nearbyint(exact) : exact;
        else if (const std::optional<FieldValue> field = view.field(prop->field))
            value = readValue(*field, prop->form);
        std::optional<QByteArrayView> name;
        if (value)
            name = view.textBytes(k.nameField);
        if (value && name) {
            names[taken] = {name->data() - out.bytes.constData(), name->size()};
        } else if (const std::optional<FieldValue> number =
                       value ? view.field(k.nameField) : std::nullopt) {
            const QByteArray text = Cp1252::encode(number->toText()).value_or(QByteArray());
            names[taken] = {out.bytes.size(), text.size()};
            out.bytes.append(text);
        } else {
            // The full decode says what is wrong with the record.
            FileError bad = view.decode().error();
            if (bad == FileError::None)
                bad = FileError::UnknownFieldType;
            return bad;
        }
        values[taken++] = *value;
    }
    out.values.resize(taken);
    out.names.resize(taken);
    return out;
}

QByteArrayView Collected::nameBytes(qsizetype i) const
{
    const Span &name = names[i];
    return QByteArrayView(bytes).sliced(name.start, name.length);
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
    return passing(values, comparison, value);
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

Result<ReportList> run(const QString &datafilePath, ReportKind kind, int property, int mode,
                       int comparison, const QString &value)
{
    ReportList lines;
    const QueryProperty *prop = queryKind(kind).property(property);
    const std::optional<double> wanted = convertValue(kind, property, mode, value);
    if (!prop || !wanted)
        return lines;

    const Result<Collected> read = collect(datafilePath, kind, property);
    if (!read)
        return read.error();
    const Collected &collected = *read;
    const QList<qsizetype> selected = select(collected.values, mode, comparison, *wanted);

    // Shops have far fewer prices than items: each value is written out once,
    // and every line is then made straight in the list's one text.
    ValueTexts texts(prop->form);
    // Room for names and values of a usual length; longer ones make room as they come.
    lines.reserve(selected.size(), selected.size() * 32);
    for (const qsizetype i : selected) {
        const QStringView value = texts.of(collected.values[i]);
        const QByteArrayView name = collected.nameBytes(i);
        QChar *line = lines.appendUninitialized(name.size() + value.size());
        Cp1252::decodeTo(name, line);
        std::copy(value.cbegin(), value.cend(), line + name.size());
    }
    return lines;
}

} // namespace QueryEngine

namespace {
bool runFor(ReportKind kind, ReportList &result, const QString &path, qint16 property, qint16 mode,
            qint16 comparison, const QString &value)
{
    result = QueryEngine::run(path, kind, property, mode, comparison, value).valueOr({});
    return !result.isEmpty();
}
} // namespace

bool RunItemQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                  qint16 comparison, const QString &value)
{
    return runFor(ReportKind::Item, result, datafilePath, property, mode, comparison, value);
}

bool RunCreditQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                    qint16 comparison, const QString &value)
{
    return runFor(ReportKind::Credit, result, datafilePath, property, mode, comparison, value);
}

bool RunCashierQuery(ReportList &result, const QString &datafilePath, qint16 property, qint16 mode,
                     qint16 comparison, const QString &value)
{
    return runFor(ReportKind::Cashier, result, datafilePath, property, mode, comparison, value);
}
