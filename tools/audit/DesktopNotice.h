#pragma once

#include "platform/history/HistoryChanges.h"

// The desktop notice of the daily check, sent to the freedesktop notification service on the
// session bus.
class DesktopNotice
{
public:
    // Names up to three of the newly listed contacts and counts the rest.
    static QString body(const QList<ContactChange> &appeared);
    // Throws Error when no notification service takes it.
    static void send(const QString &summary, const QString &body);
};
