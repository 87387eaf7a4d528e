#include "EntryFigures.h"

#include "CashierEntry.h"
#include "Cp1252.h"
#include "DataFile.h"
#include "ItemEntry.h"
#include "RecordCodec.h"

#include <cmath>
#include <optional>

namespace {

// Where a figure is stored: the kind of entry and the field of it.
struct FigurePlace {
    RecordKind kind;
    int field;
};

FigurePlace placeOf(EntryFigure figure)
{
    switch (figure) {
    case EntryFigure::ItemPrice:
        return {RecordKind::Item, 1}; // Price
    case EntryFigure::ItemsSold:
        return {RecordKind::Item, 4}; // Sold
    case EntryFigure::ItemsRemaining:
        return {RecordKind::Item, 6}; // Remaining
    case EntryFigure::ItemStock:
        return {RecordKind::Item, 5}; // Stock
    case EntryFigure::CustomerBalance:
        return {RecordKind::Customer, 1}; // Price
    case EntryFigure::CustomerVisits:
        return {RecordKind::Customer, 7}; // SpareA
    case EntryFigure::CustomerTotalSpent:
        return {RecordKind::Customer, 8}; // SpareB
    case EntryFigure::CashierAmountSold:
        return {RecordKind::Cashier, 1}; // Price
    case EntryFigure::CashierSales:
        return {RecordKind::Cashier, 8}; // SpareB
    case EntryFigure::CashierTimeLoggedOn:
        return {RecordKind::Cashier, 10}; // SpareD
    }
    return {RecordKind::Item, 1};
}

int nameFieldOf(RecordKind kind)
{
    return kind == RecordKind::Item ? ItemNameField : EntryNameField;
}

double readValue(const FieldValue &field, FigureUnit unit)
{
    double v = 0;
    switch (unit) {
    case FigureUnit::Money:
        v = field.toCurrency().toDouble();
        break;
    case FigureUnit::Count:
        v = std::nearbyint(field.toNumber());
        break;
    case FigureUnit::Milliseconds:
        v = field.toNumber();
        break;
    }
    // A damaged double must not upset a sort.
    return std::isnan(v) ? 0.0 : v;
}

} // namespace

FigureUnit unitOf(EntryFigure figure)
{
    switch (figure) {
    case EntryFigure::ItemPrice:
    case EntryFigure::CustomerBalance:
    case EntryFigure::CustomerTotalSpent:
    case EntryFigure::CashierAmountSold:
        return FigureUnit::Money;
    case EntryFigure::CashierTimeLoggedOn:
        return FigureUnit::Milliseconds;
    case EntryFigure::ItemsSold:
    case EntryFigure::ItemsRemaining:
    case EntryFigure::ItemStock:
    case EntryFigure::CustomerVisits:
    case EntryFigure::CashierSales:
        break;
    }
    return FigureUnit::Count;
}

QByteArrayView EntryFigures::nameBytes(qsizetype i) const
{
    const Span &name = names[i];
    return QByteArrayView(bytes).sliced(name.start, name.length);
}

Result<EntryFigures> EntryFigures::read(const QString &datafilePath, EntryFigure figure)
{
    const FigurePlace place = placeOf(figure);
    const FigureUnit unit = unitOf(figure);
    const int nameField = nameFieldOf(place.kind);

    EntryFigures out;
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
    Span *names = out.names.data();
    qsizetype taken = 0;
    for (qsizetype start = 0; start < end; start += RecordLength) {
        const RecordView view(QByteArrayView(out.bytes.constData() + start, RecordLength));
        if (view.kind() != place.kind)
            continue;
        // Most figures are stored as integers or money and are read straight
        // from the bytes; a double or a text typed into a box is decoded.
        std::optional<double> value;
        if (const double exact = view.exactNumber(place.field); !std::isnan(exact))
            value = unit == FigureUnit::Count ? std::nearbyint(exact) : exact;
        else if (const std::optional<FieldValue> field = view.field(place.field))
            value = readValue(*field, unit);
        std::optional<QByteArrayView> name;
        if (value)
            name = view.textBytes(nameField);
        if (value && name) {
            names[taken] = {name->data() - out.bytes.constData(), name->size()};
        } else if (const std::optional<FieldValue> number =
                       value ? view.field(nameField) : std::nullopt) {
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
