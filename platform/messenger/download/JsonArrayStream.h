#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <functional>

// Reads a JSON document that is an array of objects as it arrives in pieces, handing each
// object over with its index as soon as it is whole. Only the object being read is held, so a
// list of a million followers is never in memory as text or as one parsed document. The array
// may stand bare, or as the one member of an object under a name given when the stream is made
// (`{"relationships_following": [...]}`).
class JsonArrayStream
{
public:
    using Take = std::function<void(const QJsonObject &object, qsizetype index)>;

    explicit JsonArrayStream(Take take) : m_take(std::move(take)) {}
    // The member's name is matched exactly, as written in the file; it holds no quote or
    // backslash.
    JsonArrayStream(QByteArrayView member, Take take)
        : m_take(std::move(take)), m_opening("{\"" + member.toByteArray() + "\":")
    {
    }

    // Reads the next piece. False, from then on, once the document is known to be anything but
    // such an array of objects that parse; the objects before that point have been handed over.
    bool append(QByteArrayView piece);
    // Whether everything appended was one whole such array and nothing after it.
    bool finish() const { return m_state == State::AfterArray; }

private:
    enum class State {
        BeforeDocument,
        InOpening,
        BeforeArray,
        BeforeFirst,
        BeforeNext,
        InObject,
        AfterObject,
        BeforeClosing,
        AfterArray,
        Failed
    };

    // Past the object's end within piece, from begin, or -1 when it goes on past the piece.
    qsizetype scanObject(QByteArrayView piece, qsizetype begin);
    bool takeObject();
    // One character of the object's opening up to the array: blanks between its parts only.
    bool readOpening(char c);
    bool readStructure(char c, qsizetype &i);
    // Where the array's closing bracket leaves the stream: at the end, or before the brace of
    // the object it stood in.
    State endOfArray() const;
    bool fail();

    Take m_take;
    QByteArray m_opening;
    qsizetype m_openingRead = 0;
    State m_state = State::BeforeDocument;
    QByteArray m_object;
    int m_depth = 0;
    bool m_inString = false;
    bool m_escaped = false;
    qsizetype m_index = 0;
};
