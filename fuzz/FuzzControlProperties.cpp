// Loads arbitrary JSON as a control's saved settings into a fresh Button and a fresh banner,
// redraws them at a small size derived from the input, then saves, stores and loads the
// settings again: what a control saves must always load back, and load back the same.
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "fuzz/FuzzSupport.h"
#include "platform/PropertyBag.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QResizeEvent>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "control settings invariant broken: %s %s\n", what,
                 detail.toUtf8().constData());
    std::abort();
}

// The host's Resize, sent by hand: the window is never shown.
void hostResize(QWidget &control, const QSize &size)
{
    const QSize old = control.size();
    control.resize(size);
    QResizeEvent event(size, old);
    QCoreApplication::sendEvent(&control, &event);
    control.setAttribute(Qt::WA_PendingResizeEvent, false);
}

// Saving, storing as the window description does, and loading into a fresh control of the
// same kind, which the window then sizes as the first one, must neither throw nor change what
// is saved.
template <typename Control> void checkRoundTrip(const Control &control)
{
    PropertyBag saved;
    control.WriteProperties(saved);
    const QJsonObject stored = saved.toJson();
    PropertyBag again;
    try {
        const PropertyBag loaded = PropertyBag::fromJson(stored, QStringLiteral("stored"));
        Control fresh;
        fresh.ReadProperties(loaded);
        hostResize(fresh, control.size());
        fresh.WriteProperties(again);
    } catch (const Error &error) {
        broken("saved settings do not load back:", error.message());
    }
    if (!(again == saved))
        broken("saved settings change on a round trip:",
               QString::fromUtf8(QJsonDocument(stored).toJson(QJsonDocument::Compact)) +
                   QStringLiteral(" -> ") +
                   QString::fromUtf8(QJsonDocument(again.toJson()).toJson(QJsonDocument::Compact)));
}

template <typename Control>
void fuzzControl(const PropertyBag &bag, const QSize &size, void (*redraw)(Control &))
{
    Control control;
    control.InitProperties();
    hostResize(control, size);
    try {
        control.ReadProperties(bag);
    } catch (const Error &error) {
        // The keys read before the bad one keep their values; the control stays usable.
        if (error.message().isEmpty())
            broken("a refusal without a message");
    }
    hostResize(control, QSize(size.height() % 97, size.width() % 41));
    redraw(control);
    checkRoundTrip(control);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureWidgetApplication();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return 0;
    PropertyBag bag;
    try {
        bag = PropertyBag::fromJson(document.object(), QStringLiteral("fuzz"));
    } catch (const PropertyError &error) {
        if (error.message().isEmpty())
            broken("a refusal without a message");
        return 0;
    }
    // Small sizes, zero included, chosen by the input so that a crash reproduces.
    const size_t hash = qHash(bytes);
    const QSize small(int(hash % 120), int((hash >> 8) % 60));

    fuzzControl<Button>(bag, small,
                        [](Button &button) { button.Redraw(Button::StateDown, VbTrue); });
    fuzzControl<csLogo>(bag, small, [](csLogo &banner) { banner.Draw(); });
    return 0;
}
