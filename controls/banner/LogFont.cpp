#include "controls/banner/LogFont.h"

#include "platform/AnsiText.h"
#include "platform/base/Checked.h"
#include "platform/base/Error.h"

#include <QByteArray>

#include <cstdlib>
#include <limits>

QString LogFont::faceName() const
{
    QByteArray bytes;
    for (int i = 0; i < faceNameLimit && lfFaceName[i] != 0; ++i)
        bytes.append(char(lfFaceName[i]));
    return AnsiText::decode(bytes);
}

QFont LogFont::toQFont() const
{
    QFont font(faceName());
    // A positive height would be the cell height; the banner only ever passes a negative
    // character height, and both read as the pixel size here.
    font.setPixelSize(qMax(1, std::abs(lfHeight)));
    font.setWeight(QFont::Weight(qBound(1, lfWeight == 0 ? 400 : lfWeight, 1000)));
    font.setItalic(lfItalic != 0);
    font.setUnderline(lfUnderline != 0);
    font.setStrikeOut(lfStrikeOut != 0);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

qint32 MulDiv(qint32 a, qint32 b, qint32 c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    long long quotient = product / c;
    const long long remainder = std::llabs(product % c);
    if (2 * remainder >= std::llabs(static_cast<long long>(c)))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient < std::numeric_limits<qint32>::min() ||
        quotient > std::numeric_limits<qint32>::max())
        return -1;
    return static_cast<qint32>(quotient);
}

void FontToLogFont(const StdFont &font, int logPixelsY, LogFont &record)
{
    const QString name = font.name();
    for (int i = 0; i < name.size(); ++i) {
        if (i >= LogFont::faceNameBytes)
            throw Error(QStringLiteral("Fuente «%1»: el nombre tiene más de %2 caracteres")
                            .arg(name)
                            .arg(LogFont::faceNameBytes));
        const auto code = AnsiText::code(name.at(i));
        if (!code)
            throw Error(QStringLiteral("Fuente «%1»: el carácter %2 (posición %3) no tiene código "
                                       "de un byte")
                            .arg(name, QString(name.at(i)))
                            .arg(i + 1));
        record.lfFaceName[i] = *code;
    }
    const qint32 points = Checked::round<qint32>(double(font.size()));
    record.lfHeight =
        Checked::narrow<qint32>(-static_cast<long long>(MulDiv(points, logPixelsY, 72)));
    record.lfItalic = font.italic() ? 0xFF : 0;
    record.lfWeight = font.bold() ? 700 : 400;
    record.lfUnderline = font.underline() ? 0xFF : 0;
    record.lfStrikeOut = font.strikethrough() ? 0xFF : 0;
}
