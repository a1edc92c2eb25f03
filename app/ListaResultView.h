#pragma once

#include "core/ResultView.h"

#include <QIcon>
#include <QList>

class QAction;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QProgressBar;

// The main window's result controls seen as a ResultView: the list Lista, the progress bar
// barra1, the frame Frame2 and the menu item mnDelette.
class ListaResultView : public ResultView
{
public:
    // Each row keeps its address here; the shown text may be shortened.
    static constexpr int KeyRole = Qt::UserRole;

    ListaResultView(QListWidget *lista, QProgressBar *barra1, QGroupBox *frame2, QAction *mnDelette,
                    QList<QIcon> imageList);

    void clearRows() override;
    void appendRow(const QString &key, const QString &text, int smallIcon) override;
    int rowCount() const override;
    bool isRowChecked(int index) const override;
    QString rowKey(int index) const override;
    void removeRow(int index) override;
    void removeRows(const QList<int> &indexes) override;

    float progressValue() const override { return m_progressValue; }
    void setProgressValue(float value) override;
    void setProgressMax(float max) override;

    void setCaption(const QString &caption) override;
    void setDeleteMenuEnabled(bool enabled) override;

    // True once for each change of a row's check box; other changes of the row give false.
    // The row's description follows the change, and assistive technology is told of it.
    bool takeCheckChange(QListWidgetItem *row) const;

private:
    QListWidgetItem *row(int index) const;
    void showProgress();

    QListWidget *m_lista;
    QProgressBar *m_barra1;
    QGroupBox *m_frame2;
    QAction *m_mnDelette;
    QList<QIcon> m_imageList;
    float m_progressValue = 0;
    float m_progressMax = 100;
};
