#pragma once

#include "platform/base/Error.h"
#include "platform/messenger/JsonNode.h"

#include <QByteArray>

// A strict JSON reader (RFC 8259) that keeps every value's byte span and every number's text.
// Qt's own reader turns numbers into doubles and keeps only the last of two equal keys, which
// would lose or alter what a rewrite must leave untouched. A UTF-8 byte order mark at the start
// is passed over; raw control characters in strings, invalid UTF-8 and a key that appears twice
// in one object are refused.
class JsonReader
{
public:
    // message() reads on its own; callers that know the source (a file, a line) build their
    // own sentence from kind, offset and text.
    struct Fault : Error
    {
        enum class Kind { Syntax, DuplicateKey };
        Fault(Kind kind, qsizetype offset, const QString &text);
        Kind kind;
        qsizetype offset;
        // A syntax fault in Spanish, or for a duplicate key the key's path ("a.b[2].c").
        QString text;
    };

    // Throws Fault.
    static JsonNode read(const QByteArray &data);

private:
    struct PathStep
    {
        const QString *key = nullptr;
        qsizetype index = -1;
    };

    explicit JsonReader(const QByteArray &data) : m_data(data) {}
    JsonNode value();
    JsonNode object(qsizetype begin);
    JsonNode array(qsizetype begin);
    // After a member or an element: false past a comma, true past the closing bracket (which
    // ends node); anything else is a fault, unclosed when the text ends there.
    bool closesAfterItem(char close, const QString &unclosed, JsonNode &node);
    QString string();
    // At a backslash inside a string: appends the character it stands for.
    void escape(QString &text);
    // At the lead byte of a multi-byte UTF-8 character: appends the character.
    void utf8Sequence(QString &text, uchar lead);
    void number(JsonNode &node);
    void literal(const char *word, JsonNode &node);
    void skipSpace();
    char peek() const { return m_pos < m_data.size() ? m_data.at(m_pos) : '\0'; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    [[noreturn]] void fail(const QString &fault) const;
    [[noreturn]] void failAt(qsizetype offset, const QString &fault) const;
    QString path(const QString &lastKey) const;

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    QList<PathStep> m_path;
};
