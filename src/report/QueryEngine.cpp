#include "QueryEngine.h"

#include "cashier/CashierTime.h"
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

QList<qsizetype> selectRelative(const QList<double> &values, bool highest, double wanted)
{
    const qsizetype count = values.size();
    // Values with their file positions, ascending; equal values stay in file
    // order, which is the order in which they take their records.
    std::vector<std::pair<double, qsizetype>> sorted;
    sorted.reserve(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        sorted.emplace_back(values[i], i);
    std::sort(sorted.begin(), sorted.end());

    const auto lessValue = [](const std::pair<double, qsizetype> &a, double v) {
        return a.first < v;
    };
    const auto valueLess = [](double v, const std::pair<double, qsizetype> &a) {
        return v < a.first;
    };

    // Positions in `sorted`, in selection order.
    QList<qsizetype> positions;
    if (!(wanted < double(count))) {
        positions.reserve(count);
        for (qsizetype p = 0; p < count; ++p)
            positions.append(p);
    } else {
        if (!(wanted >= 0.5))
            return {};
        const qsizetype n = qsizetype(std::nearbyint(wanted));
        if (n <= 0)
            return {};
        if (highest) {
            const qsizetype cut = count - n;
            for (qsizetype p = cut; p < count; ++p)
                positions.append(p);
            const qsizetype from =
                std::lower_bound(sorted.begin(), sorted.end(), sorted[size_t(cut)].first, lessValue)
                - sorted.begin();
            for (qsizetype p = from; p < cut; ++p)
                positions.append(p);
        } else {
            for (qsizetype p = 0; p < n; ++p)
                positions.append(p);
            const qsizetype to = std::upper_bound(sorted.begin(), sorted.end(),
                                                  sorted[size_t(n - 1)].first, valueLess)
                                 - sorted.begin();
            for (qsizetype p = n; p < to; ++p)
                positions.append(p);
        }
    }

    // Each selected value takes the first record of its value, in file order,
    // that has not labelled an earlier one.
    QHash<qsizetype, qsizetype> used; // first position of a value -> records taken
    QList<qsizetype> labelled;
    labelled.reserve(positions.size());
    for (const qsizetype p : positions) {
        const qsizetype first =
            std::lower_bound(sorted.begin(), sorted.end(), sorted[size_t(p)].first, lessValue)
            - sorted.begin();
        labelled.append(sorted[size_t(first + used[first]++)].second);
    }
    return labelled;
}

} // namespace

namespace QueryEngine {

FileError collect(const QString &datafilePath, ReportKind kind, int property, Collected &out)
{
    out = {};
    const QueryKind &k = queryKind(kind);
    const QueryProperty *prop = k.property(property);
    if (!prop)
        return FileError::None;
    DataFile file(datafilePath);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    FileError bad = FileError::None;
    const FileError error = file.scan(FirstEntryRecord, [&](int, const RecordView &view) {
        if (!k.takes(view.kind()))
            return true;
        const std::optional<FieldValue> name = view.field(k.nameField);
        const std::optional<FieldValue> value = view.field(prop->field);
        if (!name || !value) {
            // The full decode says what is wrong with the record.
            view.decode(&bad);
            if (bad == FileError::None)
                bad = FileError::UnknownFieldType;
            return false;
        }
        out.values.append(readValue(*value, prop->form));
        out.names.append(name->toText());
        return true;
    });
    if (error != FileError::None || bad != FileError::None) {
        out = {};
        return error != FileError::None ? error : bad;
    }
    return FileError::None;
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

Result run(const QString &datafilePath, ReportKind kind, int property, int mode, int comparison,
           const QString &value)
{
    Result result;
    const QueryProperty *prop = queryKind(kind).property(property);
    const std::optional<double> wanted = convertValue(kind, property, mode, value);
    if (!prop || !wanted)
        return result;

    Collected collected;
    result.error = collect(datafilePath, kind, property, collected);
    if (result.error != FileError::None)
        return result;

    const QList<qsizetype> selected = select(collected.values, mode, comparison, *wanted);
    result.lines.reserve(selected.size());
    // Shops have far fewer prices than items: each amount is formatted once.
    QHash<double, QString> shown;
    for (const qsizetype i : selected) {
        const double v = collected.values[i];
        if (prop->form == ValueForm::Currency) {
            auto it = shown.find(v);
            if (it == shown.end())
                it = shown.insert(v, reportLine(QString(), prop->form, v));
            result.lines.append(collected.names[i] + *it);
        } else {
            result.lines.append(reportLine(collected.names[i], prop->form, v));
        }
    }
    return result;
}

} // namespace QueryEngine

namespace {
bool runFor(ReportKind kind, QStringList &result, const QString &path, qint16 property, qint16 mode,
            qint16 comparison, const QString &value)
{
    result = QueryEngine::run(path, kind, property, mode, comparison, value).lines;
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
