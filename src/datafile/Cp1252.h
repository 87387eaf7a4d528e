#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Text on disk is Windows-1252. Every byte decodes to one character (the five
// bytes Windows-1252 leaves undefined map to the C1 control of the same value),
// so any stored byte string survives a read and a write unchanged.
namespace Cp1252 {

QString decode(QByteArrayView bytes);
// The same into `out`, which has room for bytes.size() characters.
void decodeTo(QByteArrayView bytes, QChar *out);
// nullopt when a character has no Windows-1252 byte.
std::optional<QByteArray> encode(const QString &text);
bool canEncode(const QString &text);
// The first character that cannot be encoded, or a null QChar.
QChar firstUnencodable(const QString &text);

} // namespace Cp1252
