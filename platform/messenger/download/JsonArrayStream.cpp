#include "platform/messenger/download/JsonArrayStream.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

} // namespace

bool JsonArrayStream::append(QByteArrayView piece)
{
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        switch (m_state) {
        case State::InObject: {
            const qsizetype end = scanObject(piece, i);
            m_object.append(piece.sliced(i, (end < 0 ? piece.size() : end) - i));
            if (end < 0)
                return true;
            if (!takeObject())
                return false;
            i = end - 1;
            continue;
        }
        case State::InOpening:
            if (!readOpening(c))
                return false;
            continue;
        case State::Failed:
            return false;
        default:
            break;
        }
        if (!isSpace(c) && !readStructure(c, i))
            return false;
    }
    return m_state != State::Failed;
}

// One character of the array's own structure, outside its objects: the brackets and commas,
// and the opening that leads to the array. When an object begins, i steps back so that the
// object's own scan reads its opening brace.
bool JsonArrayStream::readStructure(char c, qsizetype &i)
{
    switch (m_state) {
    case State::BeforeDocument:
        if (c == '{' && !m_opening.isEmpty()) {
            m_state = State::InOpening;
            m_openingRead = 1;
            break;
        }
        [[fallthrough]];
    case State::BeforeArray:
        if (c != '[')
            return fail();
        m_state = State::BeforeFirst;
        break;
    case State::BeforeFirst:
    case State::BeforeNext:
        if (c == ']' && m_state == State::BeforeFirst) {
            m_state = endOfArray();
            break;
        }
        if (c != '{')
            return fail();
        m_state = State::InObject;
        // The opening brace is read again by the object's own scan.
        --i;
        break;
    case State::AfterObject:
        if (c == ',')
            m_state = State::BeforeNext;
        else if (c == ']')
            m_state = endOfArray();
        else
            return fail();
        break;
    case State::BeforeClosing:
        if (c != '}')
            return fail();
        m_state = State::AfterArray;
        break;
    default:
        // Only blanks may follow the array.
        return fail();
    }
    return true;
}

// Brackets are matched outside strings only; whether the object is valid JSON is left to Qt's
// parser once it is whole. The scan's state carries over from one piece to the next.
qsizetype JsonArrayStream::scanObject(QByteArrayView piece, qsizetype begin)
{
    for (qsizetype i = begin; i < piece.size(); ++i) {
        const char c = piece[i];
        if (m_inString) {
            if (m_escaped)
                m_escaped = false;
            else if (c == '\\')
                m_escaped = true;
            else if (c == '"')
                m_inString = false;
        } else if (c == '"') {
            m_inString = true;
        } else if (c == '{' || c == '[') {
            ++m_depth;
        } else if ((c == '}' || c == ']') && --m_depth == 0) {
            return i + 1;
        }
    }
    return -1;
}

bool JsonArrayStream::takeObject()
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(m_object, &error);
    m_object.clear();
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return fail();
    m_take(document.object(), m_index++);
    m_state = State::AfterObject;
    return true;
}

bool JsonArrayStream::readOpening(char c)
{
    // Between the name's quotes every character counts: the opening is {"name": and blanks may
    // stand only before the first quote and the colon.
    const bool inName = m_openingRead >= 2 && m_openingRead < m_opening.size() - 1;
    if (!inName && isSpace(c))
        return true;
    if (c != m_opening.at(m_openingRead))
        return fail();
    if (++m_openingRead == m_opening.size())
        m_state = State::BeforeArray;
    return true;
}

JsonArrayStream::State JsonArrayStream::endOfArray() const
{
    return m_openingRead > 0 ? State::BeforeClosing : State::AfterArray;
}

bool JsonArrayStream::fail()
{
    m_state = State::Failed;
    m_object.clear();
    return false;
}
