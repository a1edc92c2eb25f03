#pragma once

#include <QString>

// The access key a caption marks with "&": the character after the first single "&", in
// lower case, or an empty string when the caption marks none. Only one doubled "&&" before
// the marker is skipped, as the control always did; a caption with two doubled pairs before
// its marker has no access key.
QString accessKeyOf(const QString &caption);

// The caption as the button shows it: a doubled "&" shows as one "&", a single "&" only
// marks the character after it, and a last lone "&" shows nothing.
QString captionAsShown(const QString &caption);
