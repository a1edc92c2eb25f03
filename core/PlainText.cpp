#include "core/PlainText.h"

bool PlainText::isHazard(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) // C0, DEL and C1 controls
           || (c >= 0x202A && c <= 0x202E)      // embeddings and overrides
           || (c >= 0x2066 && c <= 0x2069)      // isolates
           || c == 0x200E || c == 0x200F || c == 0x061C || c == 0x2028 || c == 0x2029;
}

QString PlainText::forDisplay(const QString &text, int maxLength)
{
    const bool cut = text.size() > maxLength;
    QString shown = cut ? text.left(maxLength) : text;
    // Do not leave half of a surrogate pair at the cut.
    if (cut && !shown.isEmpty() && shown.back().isHighSurrogate())
        shown.chop(1);
    for (QChar &c : shown) {
        if (isHazard(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    if (cut)
        shown.append(QChar(0x2026));
    return shown;
}
