#include "QueryEngine.h"

#include "cashier/CashierTime.h"
#include "datafile/Cp1252.h"
#include "datafile/Currency.h"
#include "datafile/EntryFigures.h"
#include "datafile/MoneyText.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The values passing a comparison with `value`, in file order. The test is
// chosen once, outside the loop over every record of the kind.
QList<qsizetype> passing(const QList<double> &values, Comparison comparison, double value)
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
    case Comparison::GreaterThan:
        return every([value](double v) { return v > value; });
    case Comparison::LessThan:
        return every([value](double v) { return v < value; });
    case Comparison::GreaterOrEqual:
        return every([value](double v) { return v >= value; });
    case Comparison::LessOrEqual:
        return every([value](double v) { return v <= value; });
    case Comparison::EqualTo:
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
QString valuePart(FigureUnit unit, double value, const MoneyText::CurrencyFormat &currency)
{
    QString shown;
    switch (unit) {
    case FigureUnit::Money:
        shown = currency(Currency::fromDouble(value));
        break;
    case FigureUnit::Count:
        shown = MoneyText::numberText(value);
        break;
    case FigureUnit::Milliseconds:
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
    explicit ValueTexts(FigureUnit unit) : m_unit(unit) { m_slots.resize(size_t(1) << m_bits); }

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
        const QString text = valuePart(m_unit, value, m_currency);
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

    FigureUnit m_unit;
    MoneyText::CurrencyFormat m_currency;
    int m_bits = 10;
    size_t m_count = 0;
    std::vector<Slot> m_slots;
    QString m_text;
};

} // namespace

namespace QueryEngine {

QList<qsizetype> select(const QList<double> &values, QueryMode mode, Comparison comparison,
                        double value)
{
    if (mode == QueryMode::Relative) {
        if (comparison != Comparison::GreaterThan && comparison != Comparison::LessThan)
            return {};
        return selectRelative(values, comparison == Comparison::GreaterThan, value);
    }
    // In file order every passing value is the first unused record of its
    // value, so each record labels itself.
    return passing(values, comparison, value);
}

std::optional<double> convertValue(ReportProperty property, QueryMode mode, const QString &text)
{
    if (mode != QueryMode::Relative) {
        if (isCurrencyProperty(property)) {
            const std::optional<Currency> amount = MoneyText::parseCurrency(text);
            return amount ? std::optional<double>(amount->toDouble()) : std::nullopt;
        }
        if (property == ReportProperty::LoggedOnTime) {
            return isValidLoggedOnTime(text) ? std::optional<double>(ParseLoggedOnTime(text))
                                             : std::nullopt;
        }
    }
    const std::optional<double> number = MoneyText::parseNumber(text);
    if (number && std::isnan(*number))
        return std::nullopt;
    return number;
}

Result<ReportList> run(const QString &datafilePath, ReportProperty property, QueryMode mode,
                       Comparison comparison, const QString &value)
{
    ReportList lines;
    const std::optional<double> wanted = convertValue(property, mode, value);
    if (!wanted)
        return lines;

    const EntryFigure figure = queryProperty(property).figure;
    const Result<EntryFigures> read = EntryFigures::read(datafilePath, figure);
    if (!read)
        return read.error();
    const EntryFigures &collected = *read;
    const QList<qsizetype> selected = select(collected.values, mode, comparison, *wanted);

    // Shops have far fewer prices than items: each value is written out once,
    // and every line is then made straight in the list's one text.
    ValueTexts texts(unitOf(figure));
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
bool runFor(ReportKind kind, ReportList &result, const QString &path, qint16 propertyCode,
            qint16 modeCode, qint16 comparisonCode, const QString &value)
{
    result = ReportList();
    const std::optional<ReportProperty> property = propertyOfCode(kind, propertyCode);
    const std::optional<QueryMode> mode = modeOfCode(modeCode);
    const std::optional<Comparison> comparison = comparisonOfCode(comparisonCode);
    if (!property || !mode || !comparison)
        return false;
    if (Result<ReportList> lines = QueryEngine::run(path, *property, *mode, *comparison, value))
        result = std::move(*lines);
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
