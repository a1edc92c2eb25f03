#pragma once

#include "platform/StdFont.h"

#include <QFont>
#include <QtGlobal>

#include <array>

// The font record the banner builds for its turned caption, laid out as the Windows LOGFONTA
// it was written against, with a face-name buffer of 33 bytes (index 0 to 32).
struct LogFont
{
    static constexpr int faceNameBytes = 33;
    // What the font creation reads of the face name, terminator or not.
    static constexpr int faceNameLimit = 32;

    qint32 lfHeight = 0;
    qint32 lfWidth = 0;
    qint32 lfEscapement = 0;
    qint32 lfOrientation = 0;
    qint32 lfWeight = 0;
    quint8 lfItalic = 0;
    quint8 lfUnderline = 0;
    quint8 lfStrikeOut = 0;
    quint8 lfCharSet = 0;
    quint8 lfOutPrecision = 0;
    quint8 lfClipPrecision = 0;
    quint8 lfQuality = 0;
    quint8 lfPitchAndFamily = 0;
    std::array<quint8, faceNameBytes> lfFaceName{};

    // The face name up to its terminator, or the first faceNameLimit bytes without one.
    QString faceName() const;
    // CreateFontIndirectA: the toolkit font the record describes, drawn without
    // antialiasing like the rest of the surface.
    QFont toQFont() const;
};

// MulDiv: a × b ÷ c in 64 bits, rounded half away from zero; -1 when c is 0 or the result
// leaves 32 bits, as the Windows call reports it.
qint32 MulDiv(qint32 a, qint32 b, qint32 c);

// Fills the record from the font: the face name byte by byte in the single-byte code page, the
// height in pixels from the size rounded to whole points, weight and style flags. A name
// longer than the buffer or with a character the code page lacks is an Error.
void FontToLogFont(const StdFont &font, int logPixelsY, LogFont &record);
