#pragma once

#include <QStringList>

// `orvalin-render form`: draws a whole window into a PNG file.
extern const char *const renderFormUsage;
int renderForm(const QStringList &args);
