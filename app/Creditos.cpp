#include "app/Creditos.h"

#include "app/OrvalinIcons.h"
#include "app/ProductLinks.h"
#include "app/StoredWindows.h"
#include "app/WindowBuilder.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "controls/button/DefaultButtonTracker.h"
#include "platform/WinTypes.h"
#include "platform/base/Product.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace {

constexpr ColorRef Red = 0x000000FF;
constexpr ColorRef Blue = 0x00FF0000;

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(WindowBuilder::pointFont(QStringLiteral("Verdana"), 8.25));
    WindowBuilder::setTextColor(label, Red);
    return label;
}

QGroupBox *addFrame(QWidget *parent, const char *name, const QString &caption,
                    const QRect &geometry)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    frame->setFont(WindowBuilder::pointFont(QStringLiteral("Verdana"), 8.25));
    WindowBuilder::setTextColor(frame, Blue);
    return frame;
}

// A one-pixel line in the line's colour.
void addLine(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(geometry.x(), geometry.y(), geometry.width(), 1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(toQRgb(Red)));
    line->setPalette(palette);
}

} // namespace

Creditos::Creditos(QWidget *parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Creditos"));
    setWindowTitle(QStringLiteral("Acerca de ..."));
    setWindowIcon(OrvalinIcons::windowIcon());
    createControls();
    new DefaultButtonTracker(this);
}

QString Creditos::description()
{
    return QStringLiteral(
        "Es un programa Detective, que averigua esos usuarios que sin previo aviso te eliminan "
        "de su lista de msn, lo que hace que ocupen sitio en tu lista de contactos "
        "inutilmente.Nota:este programa no visuliza los usuarios que te ignoran, solo los que "
        "te eliminaron.");
}

QString Creditos::signature()
{
    return QStringLiteral("Los desarrolladores de Orvalin");
}

void Creditos::createControls()
{
    const WindowBuilder build(this, StoredWindows::creditos());
    const TwipGeometry &twips = build.twips();
    setFixedSize(twips.toPixels(4305), twips.toPixels(4470));
    m_csLogo1 = build.banner(this, 4470);

    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(twips.rect(480, 0, 480, 480));
    image1->setPixmap(windowIcon().pixmap(32, 32));

    QLabel *label5 = addLabel(this, "Label5", Product::title(), twips.rect(1200, 120, 3015, 375));
    label5->setFont(WindowBuilder::pointFont(QStringLiteral("Tahoma"), 14.25, true));

    QGroupBox *frame1 =
        addFrame(this, "Frame1", QStringLiteral("Autor"), twips.rect(480, 600, 3735, 1095));
    addLabel(frame1, "Label1", signature(), twips.rect(120, 240, 3135, 255));
    addLabel(frame1, "Label3", ProductLinks::webSite().toString(), twips.rect(120, 480, 3135, 255));
    addLabel(frame1, "Label4", ProductLinks::authorEmail(), twips.rect(120, 720, 3135, 255));

    addLine(this, "Line1", twips.rect(480, 1800, 4200 - 480, 15));

    QGroupBox *frame2 = addFrame(this, "Frame2", QStringLiteral("Sobre Orvalin"),
                                 twips.rect(480, 1920, 3735, 1815));
    QLabel *label2 = addLabel(frame2, "Label2", description(), twips.rect(120, 240, 3495, 1455));
    label2->setWordWrap(true);
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    addLine(this, "Line2", twips.rect(480, 3840, 4200 - 480, 15));

    m_button1 = build.button(this, QStringLiteral("Button1"), twips.rect(1320, 3960, 2055, 375));
    connect(m_button1, &Button::Click, this, &QWidget::close);

    // Tab indexes: Frame1 0, Label1 1, Frame2 2, Label2 3, Label3 4, Label4 5, Button1 6,
    // Label5 7; of these only the button takes the focus.
    m_button1->setFocus();
}
