#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <functional>

// Reads a JSON document that is a bare array of objects as it arrives in pieces, handing each
// object over with its index as soon as it is whole. Only the object being read is held, so a
// list of a million followers is never in memory as text or as one parsed document.
class JsonArrayStream
{
public:
    using Take = std::function<void(const QJsonObject &object, qsizetype index)>;

    explicit JsonArrayStream(Take take) : m_take(std::move(take)) {}

    // Reads the next piece. False, from then on, once the document is known to be anything but
    // a bare array of objects that parse; the objects before that point have been handed over.
    bool append(QByteArrayView piece);
    // Whether everything appended was one whole bare array of objects and nothing after it.
    bool finish() const { return m_state == State::AfterArray; }

private:
    enum class State {
        BeforeArray,
        BeforeFirst,
        BeforeNext,
        InObject,
        AfterObject,
        AfterArray,
        Failed
    };

    // Past the object's end within piece, from begin, or -1 when it goes on past the piece.
    qsizetype scanObject(QByteArrayView piece, qsizetype begin);
    bool takeObject();
    bool fail();

    Take m_take;
    State m_state = State::BeforeArray;
    QByteArray m_object;
    int m_depth = 0;
    bool m_inString = false;
    bool m_escaped = false;
    qsizetype m_index = 0;
};
