#include "controls/banner/CsLogo.h"

#include "controls/banner/BannerAccessible.h"
#include "controls/banner/BannerHelp.h"
#include "controls/banner/BannerPainter.h"
#include "platform/HostInput.h"
#include "platform/base/Error.h"

#include <QAccessible>

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

namespace {

// Mouse positions in twips; the left and right buttons click, the left one alone
// double-clicks; every event stops at the banner.
HostInputControl::InputRules bannerInput()
{
    HostInputControl::InputRules rules;
    rules.twips = true;
    rules.clickButtons = HostInput::LeftButton | HostInput::RightButton;
    rules.doubleClickButtons = HostInput::LeftButton;
    rules.keepsAllInput = true;
    return rules;
}

} // namespace

csLogo::csLogo(QWidget *parent) : HostInputControl(bannerInput(), parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // MouseMove is passed on with or without a button held down.
    setMouseTracking(true);
    BannerAccessible::installFactory();
}

// --- Surface-held properties -------------------------------------------------------------

ColorRef csLogo::foreColor() const
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

QString csLogo::fontName() const
{
    return surface().font().name();
}

void csLogo::setFontName(const QString &name)
{
    changeFont(surface(), [&](StdFont &font) { font.setName(name); });
    Q_EMIT propertyChanged(keyFontName);
    Draw();
}

float csLogo::fontSize() const
{
    return surface().font().size();
}

void csLogo::setFontSize(float points)
{
    BannerPainter::setFontSize(surface(), points);
    Q_EMIT propertyChanged(keyFontSize);
    Draw();
}

qint16 csLogo::fontBold() const
{
    return toVbBool(surface().font().bold());
}

void csLogo::setFontBold(qint16 bold)
{
    surface().setFontBold(bold != VbFalse);
    Q_EMIT propertyChanged(keyFontBold);
    Draw();
}

qint16 csLogo::fontItalic() const
{
    return toVbBool(surface().font().italic());
}

void csLogo::setFontItalic(qint16 italic)
{
    changeFont(surface(), [=](StdFont &font) { font.setItalic(italic != VbFalse); });
    Q_EMIT propertyChanged(keyFontItalic);
    Draw();
}

qint16 csLogo::fontUnderline() const
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
    } catch (const Error &) {
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
    bag.writeProperty(keyForeColor, qint32(foreColor()), defaultForeColor);
    bag.writeProperty(keyBorderStyle, int(borderStyle()), int(defaultBorderStyle));
    bag.writeProperty(keyCaption, m_caption, defaultCaption);
    bag.writeProperty(keyStartColor, qint32(m_startColor), defaultStartColor);
    bag.writeProperty(keyEndColor, qint32(m_endColor), defaultEndColor);
    bag.writeProperty(keyFontName, fontName(), defaultFontName);
    bag.writeProperty(keyFontSize, fontSize(), defaultFontSize);
    bag.writeProperty(keyFontBold, fontBold() != VbFalse, defaultFontBold);
    bag.writeProperty(keyFontItalic, fontItalic() != VbFalse, defaultFontItalic);
    bag.writeProperty(keyFontUnderline, fontUnderline() != VbFalse, defaultFontUnderline);
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

void csLogo::hostMouseDown(qint16 button, qint16 shift, float x, float y)
{
    Q_EMIT MouseDown(button, shift, x, y);
}

void csLogo::hostMouseUp(qint16 button, qint16 shift, float x, float y)
{
    Q_EMIT MouseUp(button, shift, x, y);
}

void csLogo::hostMouseMove(qint16 button, qint16 shift, float x, float y)
{
    Q_EMIT MouseMove(button, shift, x, y);
}

void csLogo::hostClick()
{
    Q_EMIT Click();
}

void csLogo::hostDblClick()
{
    Q_EMIT DblClick();
}

void csLogo::hostKeyDown(qint16 keyCode, qint16 shift)
{
    Q_EMIT KeyDown(keyCode, shift);
}

void csLogo::hostKeyPress(qint16 keyAscii)
{
    Q_EMIT KeyPress(keyAscii);
}

void csLogo::hostKeyUp(qint16 keyCode, qint16 shift)
{
    Q_EMIT KeyUp(keyCode, shift);
}

bool csLogo::isClick(const Release &release) const
{
    // Any press may end in a click over the banner, but the release of a double click
    // clicks no more.
    return !release.endsDoubleClick && rect().contains(release.position.toPoint());
}
