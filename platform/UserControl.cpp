#include "platform/UserControl.h"

#include <QEvent>
#include <QKeySequence>
#include <QPainter>
#include <QResizeEvent>
#include <QShortcut>

UserControl::UserControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface.setLogicalDpi(logicalDpiY());
}

UserControl::~UserControl() = default;

void UserControl::refresh()
{
    if (isVisible())
        repaint();
}

int UserControl::twipsPerPixelY() const
{
    const int dpi = logicalDpiY();
    return dpi > 0 ? 1440 / dpi : 15;
}

void UserControl::setWindowRegion(const QRegion &region)
{
    m_region = region;
    m_hasRegion = true;
    // An empty mask means "no mask" to the toolkit; an empty region must hide everything.
    const bool empty = region.isEmpty();
    setAttribute(Qt::WA_TransparentForMouseEvents, empty);
    if (empty)
        clearMask();
    else
        setMask(region);
    update();
}

bool UserControl::containsPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_surface.width() || y >= m_surface.height())
        return false;
    return !m_hasRegion || m_region.contains(QPoint(x, y));
}

void UserControl::setAccessKeys(const QString &keys)
{
    m_accessKeys = keys;
    qDeleteAll(m_shortcuts);
    m_shortcuts.clear();
    for (const QChar key : keys) {
        const QKeySequence sequence(QStringLiteral("Alt+%1").arg(key.toUpper()));
        if (sequence.isEmpty())
            continue;
        auto *shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        const int ascii = key.unicode();
        connect(shortcut, &QShortcut::activated, this,
                [this, ascii] { accessKeyPressEvent(ascii); });
        m_shortcuts.append(shortcut);
    }
}

void UserControl::setDisplayAsDefault(bool isDefault)
{
    if (m_displayAsDefault == isDefault)
        return;
    m_displayAsDefault = isDefault;
    ambientChangedEvent(QStringLiteral("DisplayAsDefault"));
}

QImage UserControl::renderedImage() const
{
    QImage out = m_surface.image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (!containsPixel(x, y))
                line[x] &= 0x00FFFFFFu;
        }
    }
    return out;
}

void UserControl::paintEvent(QPaintEvent *)
{
    if (m_hasRegion && m_region.isEmpty())
        return;
    QPainter painter(this);
    // Whole-pixel scaling on dense screens: each surface pixel becomes a block, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), m_surface.image().size()), m_surface.image());
}

void UserControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_surface.setLogicalDpi(logicalDpiY());
    m_surface.resize(width(), height());
    hostResize();
}

void UserControl::reportError(const char *event, const QString &message) const
{
    // The name is looked up only for a report: every mouse move runs through the trap.
    const QString who =
        objectName().isEmpty() ? QString::fromLatin1(metaObject()->className()) : objectName();
    qCritical("%s (%s): %s", qPrintable(who), event, qPrintable(message));
}

bool UserControl::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal)
        m_surface.setLogicalDpi(logicalDpiY());
    return QWidget::event(event);
}
