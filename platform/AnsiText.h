#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The single-byte code page (Windows-1252) of the controls: the banner's font record and
// caption are written in it, and a typed character reaches KeyPress as its code.
namespace AnsiText {

// The code of one character, or nothing when the code page has none for it.
std::optional<quint8> code(QChar ch);
// The character a code stands for.
QChar character(quint8 code);
// The text as the code page carries it: a character without a code becomes "?".
QByteArray encodeLossy(const QString &text);
QString decode(const QByteArray &bytes);

} // namespace AnsiText
