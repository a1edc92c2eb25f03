#pragma once

#include "platform/StdFont.h"
#include "platform/base/Error.h"

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QVariant>

// A saved value that cannot be read as what its control expects.
class PropertyError : public Error
{
public:
    using Error::Error;
};

// The host's store of one control instance's settings. Keys are matched without regard to
// letter case and kept in lower case; values are integers, booleans, strings, floats and
// fonts.
class PropertyBag
{
public:
    // The stored value, or the default when the key is missing.
    QVariant readProperty(const QString &key, const QVariant &defaultValue = {}) const;
    // Stores the value; always stored when no default is given.
    void writeProperty(const QString &key, const QVariant &value);
    // Stores the value, or removes the key when the value equals the default.
    void writeProperty(const QString &key, const QVariant &value, const QVariant &defaultValue);

    bool contains(const QString &key) const;
    QStringList keys() const { return m_values.keys(); }
    int count() const { return int(m_values.size()); }
    bool isEmpty() const { return m_values.isEmpty(); }

    // Reads converted to the type the control keeps; a value that cannot be converted is a
    // PropertyError naming the key.
    qint32 readInt32(const QString &key, qint32 defaultValue) const;
    qint16 readInt16(const QString &key, qint16 defaultValue) const;
    bool readBool(const QString &key, bool defaultValue) const;
    QString readString(const QString &key, const QString &defaultValue) const;
    float readFloat(const QString &key, float defaultValue) const;
    StdFont readFont(const QString &key, const StdFont &defaultValue) const;

    QJsonObject toJson() const;
    // "where" names the place the object came from, for the error messages.
    static PropertyBag fromJson(const QJsonObject &object, const QString &where);

    static bool sameValue(const QVariant &a, const QVariant &b);
    friend bool operator==(const PropertyBag &a, const PropertyBag &b);

private:
    QMap<QString, QVariant> m_values;
};
