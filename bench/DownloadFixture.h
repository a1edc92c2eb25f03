#pragma once

#include <QString>
#include <QStringList>

// An Instagram data download of our own making, as a ZIP: `following` accounts followed and
// `followers` followers, every fifth followed account missing from the followers and the rest
// scattered through them.
struct BenchDownload
{
    QString path;
    QStringList following;
    QStringList followers;
};

// Writes the ZIP into folder; an empty path when it could not be written.
BenchDownload writeBenchDownload(const QString &folder, int following, int followers);
