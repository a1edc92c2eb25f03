#include "platform/messenger/download/Mojibake.h"

#include <QStringDecoder>

QString repairMojibake(const QString &text)
{
    bool high = false;
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return text;
        high = high || c.unicode() >= 0x80;
    }
    if (!high)
        return text;
    const QByteArray bytes = text.toLatin1();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return text;
    return decoded;
}
