#pragma once

#include <QStringList>

// `orvalin-render form`: draws a whole window into a PNG file.
int renderForm(const QStringList &args);
