#include "controls/banner/CsLogo.h"

#include "controls/banner/AnsiText.h"
#include "controls/banner/BannerAccessible.h"
#include "controls/banner/LogFont.h"
#include "platform/Checked.h"
#include "platform/Error.h"
#include "platform/HostInput.h"
#include "platform/SystemColors.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>

#include <exception>

namespace {

struct MemberHelp
{
    const char *name;
    const char *help;
};

// The descriptions the control publishes, in the order of its interface.
constexpr MemberHelp memberHelp[] = {
    {"ForeColor", "Gibt die Vordergrundfarbe zurück, die zum Anzeigen von Text und Grafiken in "
                  "einem Objekt verwendet wird, oder legt diese fest."},
    {"BorderStyle", "Gibt den Rahmenstil für ein Objekt zurück oder legt diesen fest."},
    {"Refresh", "Erzwingt ein vollständiges Neuzeichnen eines Objekts."},
    {"Caption", "Text to be shown in the csLogo Box"},
    {"StartColor", "The startcolor of the Gradient"},
    {"EndColor", "The Endcolor of the Gradient"},
    {"Draw", ""},
    {"FontName", "Gibt den Namen der Schriftart an, die in jeder Zeile für die gegebene Ebene "
                 "verwendet wird."},
    {"FontSize", "Gibt die Größe der Schriftart (in Punkten) an, die in jeder Zeile für die "
                 "gegebene Ebene verwendet wird."},
    {"FontBold", "Gibt Schriftstile für Fettschrift zurück oder legt diese fest."},
    {"FontItalic", "Gibt Schriftstile für Kursivschrift zurück oder legt diese fest."},
    {"FontUnderline", "Gibt Schriftstile für unterstrichene Schrift zurück oder legt diese fest."},
    {"FontAutoSize", "Adjust the Fontsize to the Controls width"},
};

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

// The font sizes the surface font takes, in points.
constexpr float minFontSize = 1.0f;
constexpr float maxFontSize = 2160.0f;

// The device context's text colour while the caption is written: ForeColor as a plain colour.
class TextColorScope
{
public:
    TextColorScope(Surface &surface, ColorRef color)
        : m_surface(surface), m_kept(surface.textColor())
    {
        m_surface.setTextColor(color);
    }
    ~TextColorScope() { m_surface.setTextColor(m_kept); }
    TextColorScope(const TextColorScope &) = delete;
    TextColorScope &operator=(const TextColorScope &) = delete;

private:
    Surface &m_surface;
    ColorRef m_kept;
};

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

void csLogo::setSurfaceFontSize(float points)
{
    if (!(points >= minFontSize && points <= maxFontSize))
        throw Error(QStringLiteral("FontSize: el tamaño %1 no es válido (de %2 a %3 puntos)")
                        .arg(double(points))
                        .arg(double(minFontSize))
                        .arg(double(maxFontSize)));
    changeFont(surface(), [=](StdFont &font) { font.setSize(points); });
}

void csLogo::setFontSize(float points)
{
    setSurfaceFontSize(points);
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

csLogo::Rgb csLogo::split(ColorRef color)
{
    // A colour that cannot be translated reads as black.
    const ColorRef c = SystemColors::translate(color).value_or(0);
    return {qint16(c & 0xFF), qint16((c >> 8) & 0xFF), qint16((c >> 16) & 0xFF)};
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
    const qint32 twipsPerPixel = Checked::round<qint32>(twipsPerPixelY());
    if (twipsPerPixel == 0)
        throw Error(QStringLiteral("Banner: cero twips por píxel"));
    const qint32 bannerHeight = Checked::round<qint32>(heightTwips()) / twipsPerPixel;
    const qint32 bannerWidth = Checked::round<qint32>(widthTwips()) / twipsPerPixel;

    paintBands(bannerWidth, bannerHeight);
    paintBorder();
    if (m_fontAutoSize != VbFalse)
        fitFont();
    paintCaption(bannerHeight);
    paintBorder();
    Refresh();
}

void csLogo::paintBands(qint32 width, qint32 height)
{
    const qint32 step = height / 255 == 0 ? 1 : height / 255;
    Rgb current = m_startRGB;
    std::array<double, 3> delta{};
    for (std::size_t i = 0; i < delta.size(); ++i)
        delta[i] = Checked::sub<qint16>(m_endRGB[i], m_startRGB[i]);

    WinRect band{0, 0, width, height};
    // From the bottom edge up; the last band lies wholly or partly above row 0.
    for (qint32 y = height; y >= 0; y = Checked::sub<qint32>(y, step)) {
        band.top = Checked::sub<qint32>(band.bottom, step);
        const qint32 color =
            Checked::narrow<qint32>(current[0] + current[1] * 256LL + current[2] * 65536LL);
        surface().fillRect(band, ColorRef(color));
        band.bottom = band.top;
        if (height == 0)
            throw Error(QStringLiteral("Banner: división entre cero en el degradado"));
        for (std::size_t i = 0; i < current.size(); ++i)
            current[i] =
                Checked::round<qint16>(double(height - y) * delta[i] / height + m_startRGB[i]);
    }
}

void csLogo::fitFont()
{
    // The first whole size whose "Xg" is taller than the banner is wide, less three.
    qint16 size = 2;
    for (;;) {
        setSurfaceFontSize(size);
        if (toTwips(surface().textHeight(QStringLiteral("Xg"))) > widthTwips())
            break;
        size = Checked::add<qint16>(size, 1);
    }
    setSurfaceFontSize(Checked::sub<qint16>(size, 3));
}

void csLogo::paintCaption(qint32 height)
{
    LogFont record;
    FontToLogFont(surface().font(), surface().logicalDpi(), record);
    record.lfEscapement = 900;
    const QFont font = record.toQFont();
    // The caption goes through the single-byte code page on its way to the text call.
    const QString text = AnsiText::decode(AnsiText::encodeLossy(m_caption));
    const TextColorScope color(surface(), SystemColors::translate(ForeColor()).value_or(0));
    surface().textOut(0, Checked::sub<qint32>(height, 16), text, font, record.lfEscapement);
}

void csLogo::paintBorder()
{
    if (m_borderStyle == 1)
        surface().frameRect({0, 0, surface().width(), surface().height()}, 0);
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
    setSurfaceFontSize(bag.readFloat(keyFontSize, defaultFontSize));
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
    QStringList names;
    for (const MemberHelp &m : memberHelp)
        names.append(QString::fromLatin1(m.name));
    return names;
}

QString csLogo::helpString(const QString &member)
{
    for (const MemberHelp &m : memberHelp) {
        if (member == QLatin1String(m.name))
            return QString::fromUtf8(m.help);
    }
    return {};
}

// --- Events passed on ----------------------------------------------------------------------

void csLogo::mousePressEvent(QMouseEvent *event)
{
    m_releaseEndsDoubleClick = false;
    qint16 button = HostInput::mouseButtons(event->button());
    if (button == 0)
        return;
    qint16 shift = HostInput::shiftState(event->modifiers());
    float x = toTwips(event->position().x());
    float y = toTwips(event->position().y());
    Q_EMIT MouseDown(button, shift, x, y);
}

void csLogo::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click raises DblClick in place of MouseDown.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_releaseEndsDoubleClick = true;
    Q_EMIT DblClick();
}

void csLogo::mouseMoveEvent(QMouseEvent *event)
{
    qint16 button = HostInput::mouseButtons(event->buttons());
    qint16 shift = HostInput::shiftState(event->modifiers());
    float x = toTwips(event->position().x());
    float y = toTwips(event->position().y());
    Q_EMIT MouseMove(button, shift, x, y);
}

void csLogo::mouseReleaseEvent(QMouseEvent *event)
{
    qint16 button = HostInput::mouseButtons(event->button());
    if (button == 0)
        return;
    const bool endsDoubleClick = m_releaseEndsDoubleClick;
    m_releaseEndsDoubleClick = false;
    const bool inside = rect().contains(event->position().toPoint());
    qint16 shift = HostInput::shiftState(event->modifiers());
    float x = toTwips(event->position().x());
    float y = toTwips(event->position().y());
    Q_EMIT MouseUp(button, shift, x, y);
    if (inside && !endsDoubleClick && (button == 1 || button == 2))
        Q_EMIT Click();
}

void csLogo::keyPressEvent(QKeyEvent *event)
{
    qint16 keyCode = HostInput::keyCode(event->key(), event->modifiers());
    qint16 shift = HostInput::shiftState(event->modifiers());
    if (keyCode != 0)
        Q_EMIT KeyDown(keyCode, shift);
    const QString text = event->text();
    if (text.isEmpty())
        return;
    if (const auto code = AnsiText::code(text.at(0))) {
        qint16 keyAscii = *code;
        Q_EMIT KeyPress(keyAscii);
    }
}

void csLogo::keyReleaseEvent(QKeyEvent *event)
{
    // Held keys repeat their KeyDown only, as on the original platform.
    if (event->isAutoRepeat())
        return;
    qint16 keyCode = HostInput::keyCode(event->key(), event->modifiers());
    qint16 shift = HostInput::shiftState(event->modifiers());
    if (keyCode != 0)
        Q_EMIT KeyUp(keyCode, shift);
}
