#include "NativePath.h"

#include <cstdlib>

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at `i`, 0 when there is none.
int sequenceLength(const QByteArray &b, qsizetype i, char32_t *code)
{
    const auto at = [&](qsizetype k) { return quint8(b.at(k)); };
    const quint8 lead = at(i);
    int length = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > b.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const quint8 cont = at(i + k);
        if ((cont & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (cont & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    *code = c;
    return length;
}

void appendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xF0 | (c >> 18)));
        out.append(char(0x80 | ((c >> 12) & 0x3F)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

} // namespace

namespace NativePath {

QString decode(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const quint8 b = quint8(bytes.at(i));
        if (b < 0x80) {
            out.append(QChar(b));
            ++i;
            continue;
        }
        char32_t code = 0;
        if (const int length = sequenceLength(bytes, i, &code)) {
            out.append(QString::fromUcs4(&code, 1));
            i += length;
        } else {
            out.append(QChar(char16_t(EscapeBase + b)));
            ++i;
        }
    }
    return out;
}

QByteArray encode(const QString &path)
{
    QByteArray out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < path.size()
            && QChar::isLowSurrogate(path.at(i + 1).unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(u, path.at(i + 1).unicode()));
            ++i;
        } else if (u >= EscapeBase + 0x80 && u <= EscapeBase + 0xFF) {
            out.append(char(u - EscapeBase));
        } else if (QChar::isSurrogate(u)) {
            appendUtf8(out, 0xFFFD); // no byte of any path gives this
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

} // namespace NativePath

QByteArray NativePath::resolved(const QByteArray &native)
{
    char *real = ::realpath(native.constData(), nullptr);
    if (!real)
        return native;
    QByteArray path(real);
    std::free(real);
    return path;
}
