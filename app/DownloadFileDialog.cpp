#include "app/DownloadFileDialog.h"

#include <QFileInfo>

DownloadFileDialog::DownloadFileDialog(QWidget *parent)
    : QFileDialog(parent, QStringLiteral("Abrir descarga de datos de una red"))
{
    // The platform's own dialog would not let a folder be chosen beside files.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters(
        {QStringLiteral("Descargas de datos (*.zip)"), QStringLiteral("Todos los archivos (*)")});
}

QString DownloadFileDialog::choose(QWidget *parent)
{
    DownloadFileDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void DownloadFileDialog::accept()
{
    const QStringList files = selectedFiles();
    // A folder is taken as an unpacked download (double-clicking still steps into it); one that
    // holds no download is then said so by the sign-in, as for a typed path.
    if (files.size() == 1 && QFileInfo(files.constFirst()).isDir()) {
        // QFileDialog::accept would open the folder instead of choosing it.
        QDialog::accept(); // NOLINT(bugprone-parent-virtual-call)
        return;
    }
    QFileDialog::accept();
}
