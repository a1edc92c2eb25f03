#include "platform/AnsiText.h"

#include <array>

namespace {

// 0x80 to 0x9F; 0 where the code page leaves the code unassigned.
constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x0000, 0x017D, 0x0000, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178};

} // namespace

std::optional<quint8> AnsiText::code(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return quint8(u);
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] != 0 && highControls[i] == u)
            return quint8(0x80 + i);
    }
    return std::nullopt;
}

QChar AnsiText::character(quint8 code)
{
    if (code >= 0x80 && code <= 0x9F && highControls[code - 0x80] != 0)
        return QChar(highControls[code - 0x80]);
    return QChar(char16_t(code));
}

QByteArray AnsiText::encodeLossy(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text)
        bytes.append(char(code(ch).value_or(quint8('?'))));
    return bytes;
}

QString AnsiText::decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(character(quint8(byte)));
    return text;
}
