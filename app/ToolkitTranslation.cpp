#include "app/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

ToolkitTranslation::ToolkitTranslation()
{
    m_installed = m_translator.load(QStringLiteral("qtbase_es"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                  QCoreApplication::installTranslator(&m_translator);
}

ToolkitTranslation::~ToolkitTranslation()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}
