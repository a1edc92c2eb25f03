#pragma once

#include <QString>
#include <QStringList>

// `orvalin-render form`: draws a whole window into a PNG file.
extern const char *const renderFormUsage;
// The options of `form`, as its --help lists them.
QString formOptionsHelp();
int renderForm(const QStringList &args);
