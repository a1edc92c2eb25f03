#pragma once

#include <QFileDialog>

// Asks for a social network's data download, which comes as a ZIP or as the folder it was
// unpacked into: "Abrir" takes a ZIP or a selected folder, instead of stepping into the folder.
class DownloadFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    explicit DownloadFileDialog(QWidget *parent = nullptr);

    // The chosen ZIP or folder, or nothing when the user cancelled.
    static QString choose(QWidget *parent);

    void accept() override;
};
