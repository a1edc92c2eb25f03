#pragma once

#include "app/MessageReporter.h"

#include <QPointer>
#include <QWidget>

// Shows the messages in QMessageBox, always as plain text: the texts may carry client data.
class MessageBoxReporter : public MessageReporter
{
public:
    explicit MessageBoxReporter(QWidget *parent = nullptr);

    void setParent(QWidget *parent) { m_parent = parent; }

    void error(const QString &title, const QString &text) override;
    void warning(const QString &title, const QString &text) override;

private:
    QPointer<QWidget> m_parent;
};
