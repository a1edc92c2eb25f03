#pragma once

#include <QWidget>

class Button;
class csLogo;

// The about window: the program, its author, the web site and a short description, with a
// button that closes it. It is not modal and has no minimize or maximize button.
class Creditos : public QWidget
{
    Q_OBJECT

public:
    explicit Creditos(QWidget *parent = nullptr);

    Button *button1() const { return m_button1; }
    csLogo *csLogo1() const { return m_csLogo1; }

    // The description shown word for word.
    static QString description();
    // The author's signature.
    static QString signature();

private:
    void createControls();

    Button *m_button1 = nullptr;
    csLogo *m_csLogo1 = nullptr;
};
