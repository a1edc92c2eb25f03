#include "app/MessageBoxReporter.h"

#include <QMessageBox>

namespace {

void show(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

MessageBoxReporter::MessageBoxReporter(QWidget *parent) : m_parent(parent) {}

void MessageBoxReporter::error(const QString &title, const QString &text)
{
    show(m_parent, QMessageBox::Critical, title, text);
}

void MessageBoxReporter::warning(const QString &title, const QString &text)
{
    show(m_parent, QMessageBox::Warning, title, text);
}
