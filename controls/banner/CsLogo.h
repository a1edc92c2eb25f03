#pragma once

#include "controls/banner/BannerPainter.h"
#include "platform/HostInputControl.h"
#include "platform/PropertyBag.h"
#include "platform/WinTypes.h"

#include <QString>
#include <QStringList>

// An upright banner: a two-colour gradient from StartColor at the bottom towards EndColor at
// the top, with its caption written upward along the left edge. Its scale unit is the twip:
// the extents, text measures and mouse coordinates it reports are in twips. Every change is
// painted at once by Draw; nothing is drawn on a repaint.
class csLogo : public HostInputControl
{
    Q_OBJECT
    Q_PROPERTY(ColorRef ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(qint16 BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(ColorRef StartColor READ startColor WRITE setStartColor)
    Q_PROPERTY(ColorRef EndColor READ endColor WRITE setEndColor)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(float FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(qint16 FontBold READ fontBold WRITE setFontBold)
    Q_PROPERTY(qint16 FontItalic READ fontItalic WRITE setFontItalic)
    Q_PROPERTY(qint16 FontUnderline READ fontUnderline WRITE setFontUnderline)
    Q_PROPERTY(qint16 FontAutoSize READ fontAutoSize WRITE setFontAutoSize)

public:
    // The extent of a banner a designer places, in twips.
    static constexpr int designWidthTwips = 645;
    static constexpr int designHeightTwips = 4545;

    explicit csLogo(QWidget *parent = nullptr);

    // Surface-held properties: the control keeps no copy of them.
    ColorRef foreColor() const;
    void setForeColor(ColorRef color);
    qint16 borderStyle() const { return m_borderStyle; }
    // 0 none, 1 fixed single; any other value is an Error.
    void setBorderStyle(qint16 style);
    QString fontName() const;
    void setFontName(const QString &name);
    float fontSize() const;
    // Sizes below 1 or above 2160 points are an Error.
    void setFontSize(float points);
    qint16 fontBold() const;
    void setFontBold(qint16 bold);
    qint16 fontItalic() const;
    void setFontItalic(qint16 italic);
    qint16 fontUnderline() const;
    void setFontUnderline(qint16 underline);

    // The control's own members.
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Returned as stored; a system colour is translated only when split.
    ColorRef startColor() const { return m_startColor; }
    void setStartColor(ColorRef color);
    ColorRef endColor() const { return m_endColor; }
    void setEndColor(ColorRef color);
    qint16 fontAutoSize() const { return m_fontAutoSize; }
    void setFontAutoSize(qint16 autoSize);

    // Shows the kept picture again without painting anything.
    void Refresh();
    // Paints the whole banner and shows it. Never fails: an error stops the painting quietly.
    void Draw();

    // The surface's outer extent in twips.
    float widthTwips() const;
    float heightTwips() const;

    // Host lifecycle: a banner placed fresh, loaded from and saved to its property bag.
    // Loading and saving pass on the first error (an unreadable value, a value the surface
    // rejects); what was applied before it keeps its new value.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    // The public members in interface order and the description each publishes (empty for
    // Draw and for names that are not members).
    static QStringList publicMembers();
    static QString helpString(const QString &member);

Q_SIGNALS:
    void Click();
    void DblClick();
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);

protected:
    void hostResize() override;
    void hostMouseDown(qint16 button, qint16 shift, float x, float y) override;
    void hostMouseUp(qint16 button, qint16 shift, float x, float y) override;
    void hostMouseMove(qint16 button, qint16 shift, float x, float y) override;
    void hostClick() override;
    void hostDblClick() override;
    void hostKeyDown(qint16 keyCode, qint16 shift) override;
    void hostKeyPress(qint16 keyAscii) override;
    void hostKeyUp(qint16 keyCode, qint16 shift) override;
    bool isClick(const Release &release) const override;

private:
    void SplitStartColor() { m_startRGB = BannerPainter::split(m_startColor); }
    void SplitEndColor() { m_endRGB = BannerPainter::split(m_endColor); }
    void paint();
    void setSurfaceBorderStyle(qint16 style);
    float toTwips(qreal pixels) const { return float(pixels * twipsPerPixelY()); }

    BannerPainter::Rgb m_startRGB{0, 0, 0};
    BannerPainter::Rgb m_endRGB{0, 0, 0};
    qint16 m_fontAutoSize = VbFalse;
    QString m_caption;
    ColorRef m_startColor = 0;
    ColorRef m_endColor = 0;
    // The surface's border, which the surface class does not carry itself.
    qint16 m_borderStyle = 0;
};
