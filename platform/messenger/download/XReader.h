#pragma once

#include "platform/messenger/download/DownloadPerson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

class DownloadEntries;

// X's archive: data/follower.js and data/following.js, each one assignment
// "window.YTD.follower.part0 = [ … ]" (large archives add follower-part1.js, … with their own
// part numbers). X writes account ids, not handles: an id is the person.
class XReader
{
public:
    explicit XReader(const DownloadEntries &entries);

    bool recognises() const;
    // Throws DownloadError.
    DownloadLists read() const;

    // The JSON of a "window.YTD.<kind>.partN = …" file: the assignment is blanked out, so that
    // a fault's place is the file's own. Throws DownloadParseError.
    static QJsonDocument parseScript(QByteArray data, const QString &kind, const QString &where);

private:
    QStringList partsOf(const QString &kind) const;
    QList<DownloadPerson> readList(const QString &kind) const;
    // Reads a part that is the assignment of a bare array piece by piece, appending each person
    // as it is whole; false, with nothing appended, for anything else.
    bool streamPart(const QString &name, const QString &kind, const QString &where,
                    QList<DownloadPerson> &people) const;
    static DownloadPerson personOf(const QJsonObject &entry, const QString &kind,
                                   const QString &where, qsizetype index);
    void readProfile(DownloadLists &lists) const;

    const DownloadEntries &m_entries;
};
