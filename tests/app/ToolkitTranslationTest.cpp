#include "app/ToolkitTranslation.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

// The toolkit's own buttons and labels speak the program's Spanish, and only while installed.

namespace {

QString okButtonText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&'));
}

QStringList fileDialogLabels()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        texts.append(label->text().remove(QLatin1Char('&')));
    return texts;
}

} // namespace

TEST(ToolkitTranslationTest, MessageBoxesAndTheFileDialogSpeakSpanishWhileItLives)
{
    ASSERT_EQ(okButtonText(), QStringLiteral("OK"));
    auto spanish = std::make_unique<ToolkitTranslation>();
    ASSERT_TRUE(spanish->isInstalled()) << "Qt's Spanish translation (qt6-translations-l10n)";
    EXPECT_EQ(okButtonText(), QStringLiteral("Aceptar"));
    EXPECT_TRUE(fileDialogLabels().contains(QStringLiteral("Nombre de fichero:")))
        << fileDialogLabels().join(" | ").toStdString();
    spanish.reset();
    EXPECT_EQ(okButtonText(), QStringLiteral("OK"));
}
