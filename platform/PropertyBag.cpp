#include "platform/PropertyBag.h"

#include "platform/base/Checked.h"

#include <QJsonValue>

#include <cmath>
#include <limits>
#include <optional>

namespace {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isFont(const QVariant &v)
{
    return v.typeId() == qMetaTypeId<StdFont>();
}

QString describe(const QVariant &v)
{
    if (isFont(v))
        return QStringLiteral("una fuente");
    if (v.typeId() == QMetaType::QString)
        return QStringLiteral("«%1»").arg(v.toString().left(40));
    return v.toString();
}

[[noreturn]] void cannotConvert(const QString &key, const QVariant &v, const QString &what)
{
    throw PropertyError(
        QStringLiteral("Propiedad «%1»: el valor %2 no es %3").arg(key, describe(v), what));
}

// A number from any stored value that reads as one: numbers, booleans (True is -1) and
// numeric text.
std::optional<double> numberOf(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    if (isNumber(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (ok)
            return d;
    }
    return std::nullopt;
}

template <typename T> T readInteger(const QVariant &v, const QString &key)
{
    const auto n = numberOf(v);
    if (!n)
        cannotConvert(key, v, QStringLiteral("un número entero"));
    try {
        return Checked::round<T>(*n);
    } catch (const OverflowError &) {
        throw PropertyError(
            QStringLiteral("Propiedad «%1»: el valor %2 se sale del rango").arg(key, describe(v)));
    }
}

QJsonValue toJsonValue(const QVariant &v)
{
    if (isFont(v)) {
        const StdFont f = v.value<StdFont>();
        return QJsonObject{{QStringLiteral("font"),
                            QJsonObject{{QStringLiteral("name"), f.name()},
                                        {QStringLiteral("size"), double(f.size())},
                                        {QStringLiteral("bold"), f.bold()},
                                        {QStringLiteral("italic"), f.italic()},
                                        {QStringLiteral("underline"), f.underline()},
                                        {QStringLiteral("strikethrough"), f.strikethrough()}}}};
    }
    if (v.typeId() == QMetaType::Float)
        return double(v.toFloat());
    return QJsonValue::fromVariant(v);
}

StdFont fontFromJson(const QJsonObject &o, const QString &where)
{
    StdFont font;
    const QJsonValue name = o.value(QStringLiteral("name"));
    const QJsonValue size = o.value(QStringLiteral("size"));
    if (!name.isString())
        throw PropertyError(
            QStringLiteral("%1: la fuente no tiene un nombre (\"name\")").arg(where));
    if (!size.isDouble())
        throw PropertyError(
            QStringLiteral("%1: la fuente no tiene un tamaño (\"size\")").arg(where));
    // A size beyond a float's range would be kept as infinity, which cannot be saved again.
    const float points = float(size.toDouble());
    if (!std::isfinite(points))
        throw PropertyError(
            QStringLiteral("%1: el tamaño de la fuente (\"size\") está fuera de rango").arg(where));
    font.setName(name.toString());
    font.setSize(points);
    auto flag = [&](const char *key) {
        const QJsonValue value = o.value(QLatin1String(key));
        if (value.isUndefined())
            return false;
        if (!value.isBool())
            throw PropertyError(QStringLiteral("%1: \"%2\" de la fuente no es true ni false")
                                    .arg(where, QLatin1String(key)));
        return value.toBool();
    };
    font.setBold(flag("bold"));
    font.setItalic(flag("italic"));
    font.setUnderline(flag("underline"));
    font.setStrikethrough(flag("strikethrough"));
    return font;
}

} // namespace

QVariant PropertyBag::readProperty(const QString &key, const QVariant &defaultValue) const
{
    return m_values.value(key.toLower(), defaultValue);
}

void PropertyBag::writeProperty(const QString &key, const QVariant &value)
{
    m_values.insert(key.toLower(), value);
}

void PropertyBag::writeProperty(const QString &key, const QVariant &value,
                                const QVariant &defaultValue)
{
    if (sameValue(value, defaultValue))
        m_values.remove(key.toLower());
    else
        m_values.insert(key.toLower(), value);
}

bool PropertyBag::contains(const QString &key) const
{
    return m_values.contains(key.toLower());
}

qint32 PropertyBag::readInt32(const QString &key, qint32 defaultValue) const
{
    return readInteger<qint32>(readProperty(key, defaultValue), key);
}

qint16 PropertyBag::readInt16(const QString &key, qint16 defaultValue) const
{
    return readInteger<qint16>(readProperty(key, defaultValue), key);
}

bool PropertyBag::readBool(const QString &key, bool defaultValue) const
{
    const QVariant v = readProperty(key, defaultValue);
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    const auto n = numberOf(v);
    if (!n)
        cannotConvert(key, v, QStringLiteral("un valor lógico"));
    return *n != 0.0;
}

QString PropertyBag::readString(const QString &key, const QString &defaultValue) const
{
    const QVariant v = readProperty(key, defaultValue);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (v.typeId() == QMetaType::QString || isNumber(v))
        return v.toString();
    cannotConvert(key, v, QStringLiteral("un texto"));
}

float PropertyBag::readFloat(const QString &key, float defaultValue) const
{
    const QVariant v = readProperty(key, defaultValue);
    const auto n = numberOf(v);
    if (!n)
        cannotConvert(key, v, QStringLiteral("un número"));
    if (!std::isfinite(*n) || std::fabs(*n) > double(std::numeric_limits<float>::max()))
        throw PropertyError(
            QStringLiteral("Propiedad «%1»: el valor %2 se sale del rango").arg(key, describe(v)));
    return float(*n);
}

StdFont PropertyBag::readFont(const QString &key, const StdFont &defaultValue) const
{
    const QVariant v = readProperty(key, QVariant::fromValue(defaultValue));
    if (!isFont(v))
        cannotConvert(key, v, QStringLiteral("una fuente"));
    return v.value<StdFont>();
}

QJsonObject PropertyBag::toJson() const
{
    QJsonObject object;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        object.insert(it.key(), toJsonValue(it.value()));
    return object;
}

PropertyBag PropertyBag::fromJson(const QJsonObject &object, const QString &where)
{
    PropertyBag bag;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString place = QStringLiteral("%1, propiedad «%2»").arg(where, it.key());
        const QJsonValue value = it.value();
        switch (value.type()) {
        case QJsonValue::Bool:
            bag.writeProperty(it.key(), value.toBool());
            break;
        case QJsonValue::String:
            bag.writeProperty(it.key(), value.toString());
            break;
        case QJsonValue::Double: {
            const double d = value.toDouble();
            if (d == std::trunc(d) && std::fabs(d) < 9.0e15)
                bag.writeProperty(it.key(), qlonglong(d));
            else
                bag.writeProperty(it.key(), d);
            break;
        }
        case QJsonValue::Object: {
            const QJsonValue font = value.toObject().value(QStringLiteral("font"));
            if (!font.isObject())
                throw PropertyError(
                    QStringLiteral("%1: un objeto que no es una fuente").arg(place));
            bag.writeProperty(it.key(), QVariant::fromValue(fontFromJson(font.toObject(), place)));
            break;
        }
        default:
            throw PropertyError(QStringLiteral("%1: tipo de valor no admitido").arg(place));
        }
    }
    return bag;
}

bool PropertyBag::sameValue(const QVariant &a, const QVariant &b)
{
    if (isFont(a) || isFont(b))
        return isFont(a) && isFont(b) && a.value<StdFont>() == b.value<StdFont>();
    const bool aBool = a.typeId() == QMetaType::Bool;
    const bool bBool = b.typeId() == QMetaType::Bool;
    if (aBool || bBool)
        return aBool && bBool && a.toBool() == b.toBool();
    if (isNumber(a) && isNumber(b))
        return a.toDouble() == b.toDouble();
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return a == b;
}

bool operator==(const PropertyBag &a, const PropertyBag &b)
{
    if (a.m_values.size() != b.m_values.size())
        return false;
    for (auto it = a.m_values.cbegin(); it != a.m_values.cend(); ++it) {
        const auto other = b.m_values.constFind(it.key());
        if (other == b.m_values.cend() || !PropertyBag::sameValue(it.value(), other.value()))
            return false;
    }
    return true;
}
