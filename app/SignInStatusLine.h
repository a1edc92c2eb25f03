#pragma once

#include <QLabel>

// The sign-in window's one sentence of news: the step under way, or in red what went wrong.
// What servers and files say is shown as plain text, never read as markup, and cut to a
// length that fits the window.
class SignInStatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit SignInStatusLine(QWidget *parent = nullptr);

    void showStatus(const QString &text);
    void showError(const QString &text);
};
