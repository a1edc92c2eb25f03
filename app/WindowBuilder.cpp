#include "app/WindowBuilder.h"

#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {

// Centres its window, frame included, on the window's first show and then goes away; later
// shows leave the window where the user put it.
class CentreOnFirstShow : public QObject
{
public:
    explicit CentreOnFirstShow(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show) {
            if (const QScreen *screen = m_window->screen()) {
                QRect frame = m_window->frameGeometry();
                frame.moveCenter(screen->availableGeometry().center());
                m_window->move(frame.topLeft());
            }
            m_window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

WindowBuilder::WindowBuilder(QWidget *window, WindowDescription stored)
    : m_twips(window->logicalDpiY()), m_stored(std::move(stored))
{
    new CentreOnFirstShow(window);
}

csLogo *WindowBuilder::banner(QWidget *parent, int heightTwips) const
{
    const QString name = QStringLiteral("csLogo1");
    auto *banner = new csLogo(parent);
    banner->setObjectName(name);
    banner->setFocusPolicy(Qt::NoFocus);
    banner->setGeometry(m_twips.rect(0, 0, 375, heightTwips));
    banner->ReadProperties(m_stored.control(name));
    return banner;
}

Button *WindowBuilder::button(QWidget *parent, const QString &name, const QRect &geometry) const
{
    // The caption and the enabled state come with the button's saved settings.
    auto *button = new Button(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->ReadProperties(m_stored.control(name));
    return button;
}

QFont WindowBuilder::pointFont(const QString &family, qreal points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void WindowBuilder::setTextColor(QWidget *widget, ColorRef color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(toQRgb(color)));
    widget->setPalette(palette);
}
