#include "AccessibilitySupport.h"

#include <gtest/gtest.h>

QAccessibleInterface *accessibleOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr) << "no accessible interface for "
                              << qPrintable(object ? object->objectName() : QString("null"));
    return iface;
}

QAccessibleInterface *findAccessible(QAccessibleInterface *root, QAccessible::Role role,
                                     const QString &name)
{
    if (!root)
        return nullptr;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child)
            continue;
        if (child->role() == role && child->text(QAccessible::Name) == name)
            return child;
        if (QAccessibleInterface *found = findAccessible(child, role, name))
            return found;
    }
    return nullptr;
}

QAccessibleInterface *freshAccessibleOf(QObject *object)
{
    if (QAccessibleInterface *kept = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(kept));
    return accessibleOf(object);
}
