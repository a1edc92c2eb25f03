#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One JSON value as it stands in a document: its kind, its decoded content and the bytes it
// spans, so that an edit can cut exactly those bytes and leave every other byte as it was.
struct JsonNode
{
    enum class Type { Null, Bool, Number, String, Array, Object };

    Type type = Type::Null;
    // The value's bytes: [begin, end) within the document.
    qsizetype begin = 0;
    qsizetype end = 0;
    // A string's decoded text, or a number's text exactly as written.
    QString text;
    bool boolean = false;
    // An array's elements, or an object's member values in the order of keys.
    QList<JsonNode> items;
    QStringList keys;

    // The member's value, or nullptr when the object has no such member.
    const JsonNode *member(QStringView key) const
    {
        const qsizetype index = keys.indexOf(key);
        return index < 0 ? nullptr : &items.at(index);
    }
};
