#pragma once

#include "app/ListaResultView.h"
#include "tests/support/MainWindowFixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>

// The main window with the helpers its own tests read it through.
class Form1Test : public MainWindowTest
{
protected:
    QString label2() const { return child<QLabel>("Label2")->text(); }
    QString frame2() const { return child<QGroupBox>("Frame2")->title(); }
    bool deleteMenuEnabled() const { return child<QAction>("mnDelette")->isEnabled(); }
    void click(QWidget *widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
    void search() const { click(m_form->command1()); }
    void setChecked(int row, bool checked) const
    {
        lista()->item(row - 1)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    QStringList rowKeys() const
    {
        QStringList keys;
        for (int i = 0; i < lista()->count(); ++i)
            keys.append(lista()->item(i)->data(ListaResultView::KeyRole).toString());
        return keys;
    }
};
