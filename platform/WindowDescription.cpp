#include "platform/WindowDescription.h"

#include "platform/base/SystemText.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

QByteArray WindowDescription::toJson() const
{
    QJsonObject controls;
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it)
        controls.insert(it.key(), it.value().toJson());
    const QJsonObject root{{QStringLiteral("window"), m_windowName},
                           {QStringLiteral("controls"), controls}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

WindowDescription WindowDescription::fromJson(const QByteArray &data, const QString &source)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw PropertyError(QStringLiteral("%1: JSON no válido en la posición %2: %3")
                                .arg(source)
                                .arg(parseError.offset)
                                .arg(parseError.errorString()));
    if (!document.isObject())
        throw PropertyError(QStringLiteral("%1: se esperaba un objeto JSON").arg(source));
    const QJsonObject root = document.object();
    const QJsonValue window = root.value(QStringLiteral("window"));
    const QJsonValue controls = root.value(QStringLiteral("controls"));
    if (!window.isString())
        throw PropertyError(
            QStringLiteral("%1: falta el nombre de la ventana (\"window\")").arg(source));
    if (!controls.isObject())
        throw PropertyError(
            QStringLiteral("%1: falta la lista de controles (\"controls\")").arg(source));

    WindowDescription description(window.toString());
    const QJsonObject controlObjects = controls.toObject();
    for (auto it = controlObjects.constBegin(); it != controlObjects.constEnd(); ++it) {
        const QString where = QStringLiteral("%1, control «%2»").arg(source, it.key());
        if (!it.value().isObject())
            throw PropertyError(QStringLiteral("%1: se esperaba un objeto").arg(where));
        description.setControl(it.key(), PropertyBag::fromJson(it.value().toObject(), where));
    }
    return description;
}

WindowDescription WindowDescription::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PropertyError(
            QStringLiteral("%1: no se puede leer: %2").arg(path, SystemText::fileErrorText(file)));
    return fromJson(file.readAll(), path);
}

void WindowDescription::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson()) < 0 || !file.commit())
        throw PropertyError(QStringLiteral("%1: no se puede guardar: %2")
                                .arg(path, SystemText::fileErrorText(file)));
}
