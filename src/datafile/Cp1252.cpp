#include "Cp1252.h"

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// 0x80-0x9F; the five bytes Windows-1252 leaves free keep their C1 code point.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

// Every byte's character, so that decoding a text is one look-up per byte.
constexpr std::array<char16_t, 256> ByteToUnicode = [] {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[size_t(byte)] =
            byte >= 0x80 && byte <= 0x9F ? HighControls[size_t(byte - 0x80)] : char16_t(byte);
    return table;
}();

// -1 when the character has no byte.
int toByte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < int(HighControls.size()); ++i) {
        if (HighControls[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

namespace Cp1252 {

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeTo(bytes, text.data());
    return text;
}

void decodeTo(QByteArrayView bytes, QChar *out)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
#ifdef __SSE2__
    // Eight plain ASCII bytes at a time widen in one step, as most names are
    // plain ASCII; any other byte goes through the table below. Once all
    // whole eights are written, the last eight bytes of the text finish it,
    // overlapping bytes already written.
    const auto widen = [in, out](qsizetype at) {
        const __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(in + at));
        if (_mm_movemask_epi8(eight) != 0)
            return false;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + at),
                         _mm_unpacklo_epi8(eight, _mm_setzero_si128()));
        return true;
    };
    while (i + 8 <= n && widen(i))
        i += 8;
    if (i + 8 > n && i < n && n >= 8 && widen(n - 8))
        return;
#endif
    for (; i < n; ++i)
        out[i] = QChar(ByteToUnicode[in[i]]);
}

std::optional<QByteArray> encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = toByte(text[i].unicode());
        if (b < 0)
            return std::nullopt;
        bytes[i] = char(b);
    }
    return bytes;
}

bool canEncode(const QString &text)
{
    return firstUnencodable(text).isNull();
}

QChar firstUnencodable(const QString &text)
{
    for (QChar ch : text) {
        if (toByte(ch.unicode()) < 0)
            return ch;
    }
    return QChar();
}

} // namespace Cp1252
