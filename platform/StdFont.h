#pragma once

#include <QFont>
#include <QMetaType>
#include <QString>

// The font object that controls and the property bag hand around: a face name, a size in
// points and four style flags.
class StdFont
{
public:
    StdFont() = default;
    StdFont(const QString &name, float size, bool bold = false);

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    float size() const { return m_size; }
    void setSize(float points) { m_size = points; }
    bool bold() const { return m_bold; }
    void setBold(bool on) { m_bold = on; }
    bool italic() const { return m_italic; }
    void setItalic(bool on) { m_italic = on; }
    bool underline() const { return m_underline; }
    void setUnderline(bool on) { m_underline = on; }
    bool strikethrough() const { return m_strikethrough; }
    void setStrikethrough(bool on) { m_strikethrough = on; }

    // The toolkit font at the given pixel height (the em size), without antialiasing so that
    // every glyph pixel is in the text colour, as on the original bitmap surfaces.
    QFont toQFont(int pixelHeight) const;
    // The pixel height of this font's size on a device of the given vertical DPI.
    int pixelHeight(int logicalDpiY) const;

    friend bool operator==(const StdFont &, const StdFont &) = default;

private:
    QString m_name = QStringLiteral("MS Sans Serif");
    float m_size = 8.25f;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
};

Q_DECLARE_METATYPE(StdFont)
