#include "platform/messenger/JsonReader.h"

#include <QSet>

namespace {

// Deep enough for any account file; shallow enough that a hostile file cannot exhaust the stack.
constexpr int MaxDepth = 256;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString faultMessage(JsonReader::Fault::Kind kind, qsizetype offset, const QString &text)
{
    if (kind == JsonReader::Fault::Kind::DuplicateKey)
        return QStringLiteral("JSON no válido: la clave «%1» aparece dos veces (posición %2)")
            .arg(text)
            .arg(offset);
    return QStringLiteral("JSON no válido en la posición %1: %2").arg(offset).arg(text);
}

} // namespace

JsonReader::Fault::Fault(Kind kind, qsizetype offset, const QString &text)
    : Error(faultMessage(kind, offset, text)), kind(kind), offset(offset), text(text)
{
}

JsonNode JsonReader::read(const QByteArray &data)
{
    JsonReader reader(data);
    if (data.startsWith("\xEF\xBB\xBF"))
        reader.m_pos = 3;
    reader.skipSpace();
    if (reader.atEnd())
        reader.fail(QStringLiteral("el documento está vacío"));
    JsonNode root = reader.value();
    reader.skipSpace();
    if (!reader.atEnd())
        reader.fail(QStringLiteral("sobran datos tras el final"));
    return root;
}

void JsonReader::fail(const QString &fault) const
{
    failAt(m_pos, fault);
}

void JsonReader::failAt(qsizetype offset, const QString &fault) const
{
    throw Fault(Fault::Kind::Syntax, offset, fault);
}

void JsonReader::skipSpace()
{
    while (m_pos < m_data.size()) {
        const char c = m_data.at(m_pos);
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return;
        ++m_pos;
    }
}

JsonNode JsonReader::value()
{
    if (m_path.size() >= MaxDepth)
        fail(QStringLiteral("demasiados niveles anidados"));
    JsonNode node;
    node.begin = m_pos;
    switch (peek()) {
    case '{':
        return object(m_pos);
    case '[':
        return array(m_pos);
    case '"':
        node.type = JsonNode::Type::String;
        node.text = string();
        break;
    case 't':
        literal("true", node);
        node.type = JsonNode::Type::Bool;
        node.boolean = true;
        break;
    case 'f':
        literal("false", node);
        node.type = JsonNode::Type::Bool;
        break;
    case 'n':
        literal("null", node);
        break;
    default:
        if (peek() == '-' || isDigit(peek())) {
            number(node);
            break;
        }
        if (atEnd())
            fail(QStringLiteral("el texto acaba antes de un valor"));
        fail(QStringLiteral("valor no válido"));
    }
    node.end = m_pos;
    return node;
}

JsonNode JsonReader::object(qsizetype begin)
{
    JsonNode node;
    node.type = JsonNode::Type::Object;
    node.begin = begin;
    ++m_pos; // '{'
    QSet<QString> seen;
    skipSpace();
    if (peek() == '}') {
        node.end = ++m_pos;
        return node;
    }
    for (;;) {
        skipSpace();
        if (peek() != '"')
            fail(atEnd() ? QStringLiteral("falta cerrar un objeto")
                         : QStringLiteral("se esperaba un nombre entre comillas"));
        const qsizetype keyOffset = m_pos;
        QString key = string();
        if (seen.contains(key))
            throw Fault(Fault::Kind::DuplicateKey, keyOffset, path(key));
        seen.insert(key);
        skipSpace();
        if (peek() != ':')
            fail(QStringLiteral("falta «:» tras un nombre"));
        ++m_pos;
        skipSpace();
        node.keys.append(key);
        m_path.append({&node.keys.last(), -1});
        node.items.append(value());
        m_path.removeLast();
        if (closesAfterItem('}', QStringLiteral("falta cerrar un objeto"), node))
            return node;
    }
}

JsonNode JsonReader::array(qsizetype begin)
{
    JsonNode node;
    node.type = JsonNode::Type::Array;
    node.begin = begin;
    ++m_pos; // '['
    skipSpace();
    if (peek() == ']') {
        node.end = ++m_pos;
        return node;
    }
    for (;;) {
        skipSpace();
        m_path.append({nullptr, node.items.size()});
        node.items.append(value());
        m_path.removeLast();
        if (closesAfterItem(']', QStringLiteral("falta cerrar una lista"), node))
            return node;
    }
}

bool JsonReader::closesAfterItem(char close, const QString &unclosed, JsonNode &node)
{
    skipSpace();
    if (peek() == ',') {
        ++m_pos;
        return false;
    }
    if (peek() == close) {
        node.end = ++m_pos;
        return true;
    }
    fail(atEnd() ? unclosed : QStringLiteral("falta «,» entre valores"));
}

QString JsonReader::string()
{
    ++m_pos; // opening quote
    QString text;
    for (;;) {
        if (atEnd())
            fail(QStringLiteral("falta cerrar un texto"));
        const auto byte = uchar(m_data.at(m_pos));
        if (byte == '"') {
            ++m_pos;
            return text;
        }
        if (byte < 0x20)
            fail(QStringLiteral("carácter de control sin escapar (0x%1) dentro de un texto")
                     .arg(byte, 2, 16, QLatin1Char('0')));
        if (byte == '\\') {
            escape(text);
        } else if (byte < 0x80) {
            text += QLatin1Char(char(byte));
            ++m_pos;
        } else {
            utf8Sequence(text, byte);
        }
    }
}

void JsonReader::escape(QString &text)
{
    const qsizetype start = m_pos++;
    const char which = peek();
    ++m_pos;
    switch (which) {
    case '"':
    case '\\':
    case '/':
        text += QLatin1Char(which);
        return;
    case 'b':
        text += QLatin1Char('\b');
        return;
    case 'f':
        text += QLatin1Char('\f');
        return;
    case 'n':
        text += QLatin1Char('\n');
        return;
    case 'r':
        text += QLatin1Char('\r');
        return;
    case 't':
        text += QLatin1Char('\t');
        return;
    case 'u': {
        int unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexValue(peek());
            if (digit < 0)
                failAt(start, QStringLiteral("secuencia de escape no válida"));
            unit = unit * 16 + digit;
            ++m_pos;
        }
        text += QChar(char16_t(unit));
        return;
    }
    default:
        failAt(start, QStringLiteral("secuencia de escape no válida"));
    }
}

void JsonReader::utf8Sequence(QString &text, uchar lead)
{
    // Checked strictly: no overlong forms, no surrogates, nothing past U+10FFFF.
    int length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        fail(QStringLiteral("texto UTF-8 no válido"));
    }
    if (m_pos + length > m_data.size())
        fail(QStringLiteral("texto UTF-8 no válido"));
    for (int i = 1; i < length; ++i) {
        const auto next = uchar(m_data.at(m_pos + i));
        if ((next & 0xC0) != 0x80)
            fail(QStringLiteral("texto UTF-8 no válido"));
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        fail(QStringLiteral("texto UTF-8 no válido"));
    text += QStringView(QChar::fromUcs4(code));
    m_pos += length;
}

void JsonReader::number(JsonNode &node)
{
    node.type = JsonNode::Type::Number;
    const qsizetype start = m_pos;
    if (peek() == '-')
        ++m_pos;
    if (peek() == '0') {
        ++m_pos;
    } else if (isDigit(peek())) {
        while (isDigit(peek()))
            ++m_pos;
    } else {
        fail(QStringLiteral("número no válido"));
    }
    if (peek() == '.') {
        ++m_pos;
        if (!isDigit(peek()))
            fail(QStringLiteral("número no válido"));
        while (isDigit(peek()))
            ++m_pos;
    }
    if (peek() == 'e' || peek() == 'E') {
        ++m_pos;
        if (peek() == '+' || peek() == '-')
            ++m_pos;
        if (!isDigit(peek()))
            fail(QStringLiteral("número no válido"));
        while (isDigit(peek()))
            ++m_pos;
    }
    node.text = QString::fromLatin1(m_data.constData() + start, m_pos - start);
}

void JsonReader::literal(const char *word, JsonNode &node)
{
    const qsizetype length = qsizetype(qstrlen(word));
    if (m_data.mid(m_pos, length) != QByteArrayView(word, length))
        fail(QStringLiteral("valor no válido"));
    m_pos += length;
    node.end = m_pos;
}

QString JsonReader::path(const QString &lastKey) const
{
    QString text;
    for (const PathStep &step : m_path) {
        if (step.key) {
            if (!text.isEmpty())
                text += QLatin1Char('.');
            text += *step.key;
        } else {
            text += QStringLiteral("[%1]").arg(step.index);
        }
    }
    if (!text.isEmpty())
        text += QLatin1Char('.');
    return text + lastKey;
}
