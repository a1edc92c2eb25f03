#include "controls/banner/BannerHelp.h"

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

} // namespace

QStringList BannerHelp::members()
{
    QStringList names;
    for (const MemberHelp &m : memberHelp)
        names.append(QString::fromLatin1(m.name));
    return names;
}

QString BannerHelp::text(const QString &member)
{
    for (const MemberHelp &m : memberHelp) {
        if (member == QLatin1String(m.name))
            return QString::fromUtf8(m.help);
    }
    return {};
}
