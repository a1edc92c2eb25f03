#pragma once

#include "platform/Surface.h"
#include "platform/base/Error.h"

#include <QRegion>
#include <QWidget>

#include <exception>

class QShortcut;

// The host of an owner-drawn control: a window that shows the control's retained picture
// and draws nothing of its own on a repaint, with the window region, access keys and the
// ambient default-button flag that the controls rely on.
class UserControl : public QWidget
{
    Q_OBJECT

public:
    explicit UserControl(QWidget *parent = nullptr);
    ~UserControl() override;

    Surface &surface() { return m_surface; }
    const Surface &surface() const { return m_surface; }

    // Shows the kept picture at once.
    void refresh();
    // The handle of the control's window, as a number that identifies it.
    quintptr hWnd() const { return reinterpret_cast<quintptr>(this); }
    // Twips per pixel of the screen the control is on (15 at 96 DPI).
    int twipsPerPixelY() const;

    // The set of pixels that belong to the window; the rest takes neither paint nor mouse.
    void setWindowRegion(const QRegion &region);
    QRegion windowRegion() const { return m_region; }
    bool containsPixel(int x, int y) const;

    // The characters that, pressed with Alt anywhere in the window, reach
    // accessKeyPressEvent.
    QString accessKeys() const { return m_accessKeys; }
    void setAccessKeys(const QString &keys);

    // True while the window shows this control as its default button; a change reaches
    // ambientChangedEvent("DisplayAsDefault").
    bool displayAsDefault() const { return m_displayAsDefault; }
    void setDisplayAsDefault(bool isDefault);

    // The picture as it shows: alpha 0 outside the window region, 255 inside.
    QImage renderedImage() const;

Q_SIGNALS:
    void propertyChanged(const QString &key);

protected:
    // The host's notifications to the control.
    virtual void hostResize() {}
    virtual void accessKeyPressEvent(int keyAscii) { Q_UNUSED(keyAscii); }
    virtual void ambientChangedEvent(const QString &name) { Q_UNUSED(name); }

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

    // Runs the control's handling of one toolkit event. An error that reaches it, raised by
    // the control or by a container's handler of the event it passes on, cannot travel
    // through the toolkit's dispatch: it is reported under the control's name and the event,
    // and the control carries on.
    template <typename Handler> void trapErrors(const char *event, Handler &&handler)
    {
        try {
            handler();
        } catch (const std::exception &error) {
            reportError(event, Error::messageOf(error));
        }
    }

private:
    void reportError(const char *event, const QString &message) const;

    Surface m_surface;
    QRegion m_region;
    bool m_hasRegion = false;
    QString m_accessKeys;
    QList<QShortcut *> m_shortcuts;
    bool m_displayAsDefault = false;
};
