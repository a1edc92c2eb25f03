#include "controls/banner/CsLogo.h"

#include "controls/banner/BannerAccessible.h"
#include "controls/banner/BannerHelp.h"
#include "controls/banner/BannerPainter.h"
#include "platform/HostInput.h"
#include "platform/base/Error.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>

#include <exception>

namespace {

// Saved keys and their defaults.
const QString keyForeColor = QStringLiteral("ForeColor");
const QString keyBorderStyle = QStringLiteral("BorderStyle");
const QString keyCaption = QStringLiteral("Caption");
const QString keyStartColor = QStringLiteral("StartColor");
const QString keyEndColor = QStringLiteral("EndColor");
const QString keyFontName = QStringLiteral("FontName");
const QString keyFontSize = QStringLiteral("FontSize");
const QString keyFontBold = QStringLiteral("FontBold");
const QString keyFontItalic = QStringLiteral("FontItalic");
const QString keyFontUnderline = QStringLiteral("FontUnderline");
const QString keyFontAutoSize = QStringLiteral("FontAutoSize");

constexpr qint32 defaultForeColor = 0x00FFFFFF;
constexpr qint16 defaultBorderStyle = 0;
const QString defaultCaption = QStringLiteral("csLogo");
constexpr qint32 defaultStartColor = 0x00800000;
constexpr qint32 defaultEndColor = 0x00FFC0C0;
const QString defaultFontName = QStringLiteral("Arial");
constexpr float defaultFontSize = 10.0f;
constexpr bool defaultFontBold = true;
constexpr bool defaultFontItalic = false;
constexpr bool defaultFontUnderline = false;
constexpr bool defaultFontAutoSize = true;

// Changes one attribute of the surface font.
template <typename Change> void changeFont(Surface &surface, Change change)
{
    StdFont font = surface.font();
    change(font);
    surface.setFont(font);
}

} // namespace

csLogo::csLogo(QWidget *parent) : UserControl(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // MouseMove is passed on with or without a button held down.
    setMouseTracking(true);
    BannerAccessible::installFactory();
}

// --- Surface-held properties -------------------------------------------------------------

ColorRef csLogo::ForeColor() const
{
    return surface().textColor();
}

void csLogo::setForeColor(ColorRef color)
{
    surface().setTextColor(color);
    Q_EMIT propertyChanged(keyForeColor);
    Draw();
}

void csLogo::setSurfaceBorderStyle(qint16 style)
{
    if (style != 0 && style != 1)
        throw Error(QStringLiteral("BorderStyle: el valor %1 no es válido (0 sin borde, 1 borde "
                                   "simple)")
                        .arg(style));
    m_borderStyle = style;
}

void csLogo::setBorderStyle(qint16 style)
{
    setSurfaceBorderStyle(style);
    Q_EMIT propertyChanged(keyBorderStyle);
    Draw();
}

QString csLogo::FontName() const
{
    return surface().font().name();
}

void csLogo::setFontName(const QString &name)
{
    changeFont(surface(), [&](StdFont &font) { font.setName(name); });
    Q_EMIT propertyChanged(keyFontName);
    Draw();
}

float csLogo::FontSize() const
{
    return surface().font().size();
}

void csLogo::setFontSize(float points)
{
    BannerPainter::setFontSize(surface(), points);
    Q_EMIT propertyChanged(keyFontSize);
    Draw();
}

qint16 csLogo::FontBold() const
{
    return toVbBool(surface().font().bold());
}

void csLogo::setFontBold(qint16 bold)
{
    surface().setFontBold(bold != VbFalse);
    Q_EMIT propertyChanged(keyFontBold);
    Draw();
}

qint16 csLogo::FontItalic() const
{
    return toVbBool(surface().font().italic());
}

void csLogo::setFontItalic(qint16 italic)
{
    changeFont(surface(), [=](StdFont &font) { font.setItalic(italic != VbFalse); });
    Q_EMIT propertyChanged(keyFontItalic);
    Draw();
}

qint16 csLogo::FontUnderline() const
{
    return toVbBool(surface().font().underline());
}

void csLogo::setFontUnderline(qint16 underline)
{
    changeFont(surface(), [=](StdFont &font) { font.setUnderline(underline != VbFalse); });
    Q_EMIT propertyChanged(keyFontUnderline);
    Draw();
}

// --- Own members ---------------------------------------------------------------------------

void csLogo::setCaption(const QString &caption)
{
    m_caption = caption;
    Q_EMIT propertyChanged(keyCaption);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    Draw();
}

void csLogo::setStartColor(ColorRef color)
{
    m_startColor = color;
    Q_EMIT propertyChanged(keyStartColor);
    SplitStartColor();
    Draw();
}

void csLogo::setEndColor(ColorRef color)
{
    m_endColor = color;
    Q_EMIT propertyChanged(keyEndColor);
    SplitEndColor();
    Draw();
}

void csLogo::setFontAutoSize(qint16 autoSize)
{
    m_fontAutoSize = autoSize;
    Q_EMIT propertyChanged(keyFontAutoSize);
    Draw();
}

// --- Drawing -------------------------------------------------------------------------------

float csLogo::widthTwips() const
{
    return toTwips(width());
}

float csLogo::heightTwips() const
{
    return toTwips(height());
}

void csLogo::Refresh()
{
    refresh();
}

void csLogo::Draw()
{
    try {
        paint();
    } catch (const std::exception &) {
        // Painting stops where it failed; the caller carries on as if it had finished.
    }
}

void csLogo::paint()
{
    BannerPainter::State state;
    state.startRGB = m_startRGB;
    state.endRGB = m_endRGB;
    state.caption = m_caption;
    state.borderStyle = m_borderStyle;
    state.fontAutoSize = m_fontAutoSize != VbFalse;
    state.twipsPerPixel = twipsPerPixelY();
    state.widthTwips = widthTwips();
    state.heightTwips = heightTwips();
    BannerPainter::paint(surface(), state);
    Refresh();
}

void csLogo::hostResize()
{
    Draw();
}

// --- Lifecycle -----------------------------------------------------------------------------

void csLogo::InitProperties()
{
    m_caption = defaultCaption;
    m_startColor = defaultStartColor;
    m_endColor = defaultEndColor;
    changeFont(surface(), [](StdFont &font) {
        font.setName(defaultFontName);
        font.setBold(true);
        font.setItalic(false);
        font.setSize(16.0f);
        font.setUnderline(false);
    });
    surface().setTextColor(defaultForeColor);
    SplitStartColor();
    SplitEndColor();
    Draw();
    // Set after the first painting, so the size is fitted only from the next one.
    m_fontAutoSize = VbTrue;
}

void csLogo::ReadProperties(const PropertyBag &bag)
{
    surface().setTextColor(ColorRef(bag.readInt32(keyForeColor, defaultForeColor)));
    setSurfaceBorderStyle(bag.readInt16(keyBorderStyle, defaultBorderStyle));
    m_caption = bag.readString(keyCaption, defaultCaption);
    m_startColor = ColorRef(bag.readInt32(keyStartColor, defaultStartColor));
    m_endColor = ColorRef(bag.readInt32(keyEndColor, defaultEndColor));
    const QString name = bag.readString(keyFontName, defaultFontName);
    changeFont(surface(), [&](StdFont &font) { font.setName(name); });
    BannerPainter::setFontSize(surface(), bag.readFloat(keyFontSize, defaultFontSize));
    surface().setFontBold(bag.readBool(keyFontBold, defaultFontBold));
    const bool italic = bag.readBool(keyFontItalic, defaultFontItalic);
    changeFont(surface(), [=](StdFont &font) { font.setItalic(italic); });
    const bool underline = bag.readBool(keyFontUnderline, defaultFontUnderline);
    changeFont(surface(), [=](StdFont &font) { font.setUnderline(underline); });
    SplitStartColor();
    SplitEndColor();
    Draw();
    // Read after the painting, so a loaded banner fits its font only from the next one.
    m_fontAutoSize = toVbBool(bag.readBool(keyFontAutoSize, defaultFontAutoSize));
}

void csLogo::WriteProperties(PropertyBag &bag) const
{
    bag.writeProperty(keyForeColor, qint32(ForeColor()), defaultForeColor);
    bag.writeProperty(keyBorderStyle, int(BorderStyle()), int(defaultBorderStyle));
    bag.writeProperty(keyCaption, m_caption, defaultCaption);
    bag.writeProperty(keyStartColor, qint32(m_startColor), defaultStartColor);
    bag.writeProperty(keyEndColor, qint32(m_endColor), defaultEndColor);
    bag.writeProperty(keyFontName, FontName(), defaultFontName);
    bag.writeProperty(keyFontSize, FontSize(), defaultFontSize);
    bag.writeProperty(keyFontBold, FontBold() != VbFalse, defaultFontBold);
    bag.writeProperty(keyFontItalic, FontItalic() != VbFalse, defaultFontItalic);
    bag.writeProperty(keyFontUnderline, FontUnderline() != VbFalse, defaultFontUnderline);
    bag.writeProperty(keyFontAutoSize, m_fontAutoSize != VbFalse, defaultFontAutoSize);
}

QStringList csLogo::publicMembers()
{
    return BannerHelp::members();
}

QString csLogo::helpString(const QString &member)
{
    return BannerHelp::text(member);
}

// --- Events passed on ----------------------------------------------------------------------

void csLogo::mousePressEvent(QMouseEvent *event)
{
    m_releaseEndsDoubleClick = false;
    HostInput::MouseArgs args = HostInput::mouseArgs(*event, twipsPerPixelY());
    if (args.button == HostInput::NoButton)
        return;
    trapErrors("MouseDown", [&] { Q_EMIT MouseDown(args.button, args.shift, args.x, args.y); });
}

void csLogo::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click raises DblClick in place of MouseDown.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_releaseEndsDoubleClick = true;
    trapErrors("DblClick", [this] { Q_EMIT DblClick(); });
}

void csLogo::mouseMoveEvent(QMouseEvent *event)
{
    HostInput::MouseArgs args = HostInput::mouseArgs(*event, twipsPerPixelY());
    trapErrors("MouseMove", [&] { Q_EMIT MouseMove(args.button, args.shift, args.x, args.y); });
}

void csLogo::mouseReleaseEvent(QMouseEvent *event)
{
    HostInput::MouseArgs args = HostInput::mouseArgs(*event, twipsPerPixelY());
    if (args.button == HostInput::NoButton)
        return;
    const bool endsDoubleClick = m_releaseEndsDoubleClick;
    m_releaseEndsDoubleClick = false;
    const bool inside = rect().contains(event->position().toPoint());
    const bool click =
        inside && !endsDoubleClick &&
        (args.button == HostInput::LeftButton || args.button == HostInput::RightButton);
    trapErrors("MouseUp", [&] {
        Q_EMIT MouseUp(args.button, args.shift, args.x, args.y);
        if (click)
            Q_EMIT Click();
    });
}

void csLogo::keyPressEvent(QKeyEvent *event)
{
    HostInput::KeyArgs args = HostInput::keyArgs(*event);
    trapErrors("KeyDown", [&] {
        if (args.keyCode != 0)
            Q_EMIT KeyDown(args.keyCode, args.shift);
        if (args.keyAscii != 0)
            Q_EMIT KeyPress(args.keyAscii);
    });
}

void csLogo::keyReleaseEvent(QKeyEvent *event)
{
    // Held keys repeat their KeyDown only, as on the original platform.
    if (event->isAutoRepeat())
        return;
    HostInput::KeyArgs args = HostInput::keyArgs(*event);
    if (args.keyCode != 0)
        trapErrors("KeyUp", [&] { Q_EMIT KeyUp(args.keyCode, args.shift); });
}
