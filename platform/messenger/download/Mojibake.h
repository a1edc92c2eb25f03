#pragma once

#include <QString>

// Instagram writes its text as UTF-8 bytes escaped one by one ("\u00c3\u00a9" for "é"). Such
// a text is all code points up to U+00FF whose bytes form valid UTF-8 with at least one
// multibyte sequence; only then is it decoded again. Any other text is left as it is.
QString repairMojibake(const QString &text);
