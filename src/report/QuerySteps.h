#pragma once

#include "QueryKinds.h"

#include <QString>

// The builder's steps as data: the captions of the comparison buttons, the
// pieces of the query sentence, and the checks of the value box.
namespace QuerySteps {

// Caption of a comparison's button in a mode; "" for a button the mode hides.
QString comparisonCaption(QueryMode mode, Comparison comparison);
// The sentence piece of a comparison; "" for a button the mode hides.
QString comparisonPiece(QueryMode mode, Comparison comparison);
QString modePiece(QueryMode mode);
// The text the value box gets when a property is chosen; a null QString
// when the property leaves the box alone.
QString propertyValueText(ReportProperty property);
// The last piece: the accepted value followed by "." (absolute), or
// "value." / "N values." (relative).
QString valuePiece(QueryMode mode, const QString &text);

struct ValueCheck {
    bool accepted = false;
    QString text;  // the box's text once accepted (money in the currency format)
    QString title; // the message when refused
    QString message;
    bool keepFocus = true; // a refused box takes the focus back
};

// Checks the value box's text as leaving the box does.
ValueCheck checkValue(ReportProperty property, QueryMode mode, const QString &text);

} // namespace QuerySteps
