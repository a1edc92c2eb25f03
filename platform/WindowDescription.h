#pragma once

#include "platform/PropertyBag.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// A window's stored description: the property bag of each control instance on it, kept as
// JSON: {"window": NAME, "controls": {CONTROL: {key: value, ...}, ...}}.
class WindowDescription
{
public:
    WindowDescription() = default;
    explicit WindowDescription(const QString &windowName) : m_windowName(windowName) {}

    QString windowName() const { return m_windowName; }
    QStringList controlNames() const { return m_controls.keys(); }
    bool hasControl(const QString &name) const { return m_controls.contains(name); }
    // The control's bag; an empty one for a control the description does not hold.
    PropertyBag control(const QString &name) const { return m_controls.value(name); }
    void setControl(const QString &name, const PropertyBag &bag) { m_controls.insert(name, bag); }

    QByteArray toJson() const;
    // "source" names where the data came from (a file or resource path) in error messages.
    static WindowDescription fromJson(const QByteArray &data, const QString &source);
    static WindowDescription load(const QString &path);
    void save(const QString &path) const;

private:
    QString m_windowName;
    QMap<QString, PropertyBag> m_controls;
};
