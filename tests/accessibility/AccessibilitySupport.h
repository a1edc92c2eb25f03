#pragma once

#include <QAccessible>
#include <QString>

// Tests read the interfaces directly: the offscreen platform has no accessibility bridge, so
// QAccessible stays inactive and no announcement reaches anyone, but every interface answers.

// The interface of an object, checked not to be null.
QAccessibleInterface *accessibleOf(QObject *object);
// The first descendant of root, depth first, with the role and name; nullptr when none.
QAccessibleInterface *findAccessible(QAccessibleInterface *root, QAccessible::Role role,
                                     const QString &name);
// The object's interface as a screen reader arriving now would find it: with no bridge the
// views are never told of their model's changes, so a kept interface can be stale.
QAccessibleInterface *freshAccessibleOf(QObject *object);
