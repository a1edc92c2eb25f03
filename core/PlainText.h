#pragma once

#include <QString>

// Client texts (names, addresses, reasons) are shown as plain text and may be hostile: very long,
// with line breaks, control characters or bidirectional overrides that would reorder the rest of
// the window. forDisplay() keeps them to one short, inert line.
class PlainText
{
public:
    static constexpr int DefaultMaxLength = 256;

    static QString forDisplay(const QString &text, int maxLength = DefaultMaxLength);
    // Controls (C0, DEL, C1), bidirectional embeddings, overrides, isolates and marks, and the
    // line and paragraph separators: characters that must never reach a window or a terminal raw.
    static bool isHazard(char16_t c);
};
