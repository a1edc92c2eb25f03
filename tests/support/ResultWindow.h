#pragma once

#include "app/ListaResultView.h"
#include "core/ContactAudit.h"

#include <QAction>
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>

// The controls of the main window that a scan and a removal write to, without the window, and
// the audit over them.
struct ResultWindow
{
    QListWidget lista;
    QProgressBar barra1;
    QGroupBox frame2;
    QAction mnDelette{nullptr};
    ListaResultView view{&lista, &barra1, &frame2, &mnDelette, {QIcon()}};
    ContactAudit audit{view};

    // Rows c1@example.org (named C1) to c<count>@example.org.
    void appendRows(int count)
    {
        for (int i = 1; i <= count; ++i)
            view.appendRow(QStringLiteral("c%1@example.org").arg(i), QStringLiteral("C%1").arg(i),
                           1);
    }
};
