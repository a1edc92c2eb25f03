#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The single-byte (Windows-1252) codes the font record and the caption are written in.
namespace AnsiText {

// The code of one character, or nothing when the code page has none for it.
std::optional<quint8> code(QChar ch);
// The character a code stands for.
QChar character(quint8 code);
// The text as the code page carries it: a character without a code becomes "?".
QByteArray encodeLossy(const QString &text);
QString decode(const QByteArray &bytes);

} // namespace AnsiText
