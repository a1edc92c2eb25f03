#include "app/SignInStatusLine.h"

#include "core/PlainText.h"

namespace {

constexpr int messageLength = 600;

} // namespace

SignInStatusLine::SignInStatusLine(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void SignInStatusLine::showStatus(const QString &text)
{
    setStyleSheet(QString());
    setText(PlainText::forDisplay(text, messageLength));
}

void SignInStatusLine::showError(const QString &text)
{
    setStyleSheet(QStringLiteral("color: #b00000"));
    setText(PlainText::forDisplay(text, messageLength));
}
