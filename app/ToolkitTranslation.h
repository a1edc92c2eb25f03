#pragma once

#include <QTranslator>

// The toolkit's own texts in the program's language, whatever the system's: the buttons of a
// message box ("Aceptar"), the labels of the file dialog that opens a download. The program
// speaks Spanish only, so Qt's Spanish translation is installed for as long as this lives.
class ToolkitTranslation
{
public:
    ToolkitTranslation();
    ~ToolkitTranslation();
    Q_DISABLE_COPY_MOVE(ToolkitTranslation)

    // False when the translation is not on this system (package qt6-translations-l10n): the
    // toolkit's texts then stay in English.
    bool isInstalled() const { return m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};
