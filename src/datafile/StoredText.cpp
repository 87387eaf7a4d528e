#include "StoredText.h"

#include "Cp1252.h"

namespace StoredText {

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

std::optional<QChar> firstRefused(const QString &text, Lines lines)
{
    for (const QChar c : text) {
        const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n');
        if (isControl(c) && !(lineBreak && lines == Lines::Several))
            return c;
    }
    // U+0000 is refused above, so a null QChar here means none.
    const QChar unencodable = Cp1252::firstUnencodable(text);
    return unencodable.isNull() ? std::nullopt : std::optional(unencodable);
}

std::optional<QChar> firstRefused(const DataRecord &record)
{
    for (int i = 0; i < FieldCount; ++i) {
        const FieldValue &field = record.field(i);
        if (!field.isText())
            continue;
        const Lines lines = &field == &record.Notes ? Lines::Several : Lines::One;
        if (const auto c = firstRefused(field.toText(), lines))
            return c;
    }
    return std::nullopt;
}

QString quoted(const QString &text, qsizetype maxChars)
{
    const bool cut = maxChars >= 0 && text.size() > maxChars;
    QStringView shown(text);
    if (cut) // never half a surrogate pair
        shown = shown.left(maxChars > 0 && shown[maxChars - 1].isHighSurrogate() ? maxChars - 1
                                                                                 : maxChars);
    QString r = QStringLiteral("\"");
    for (const QChar c : shown) {
        switch (c.unicode()) {
        case '"':
            r += QStringLiteral("\\\"");
            break;
        case '\\':
            r += QStringLiteral("\\\\");
            break;
        case '\n':
            r += QStringLiteral("\\n");
            break;
        case '\r':
            r += QStringLiteral("\\r");
            break;
        case '\t':
            r += QStringLiteral("\\t");
            break;
        default:
            if (isControl(c))
                r += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                r += c;
        }
    }
    if (cut)
        r += QChar(0x2026);
    return r + QLatin1Char('"');
}

} // namespace StoredText
