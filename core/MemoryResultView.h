#pragma once

#include "core/ResultView.h"

#include <QList>

// A result view without widgets, for the command-line tool and for tests.
class MemoryResultView : public ResultView
{
public:
    struct Row
    {
        QString key;
        QString text;
        int smallIcon = 0;
        bool checked = false;
    };

    void clearRows() override;
    void appendRow(const QString &key, const QString &text, int smallIcon) override;
    int rowCount() const override;
    bool isRowChecked(int index) const override;
    QString rowKey(int index) const override;
    void removeRow(int index) override;
    void removeRows(const QList<int> &indexes) override;

    float progressValue() const override { return m_progressValue; }
    void setProgressValue(float value) override { m_progressValue = value; }
    float progressMax() const { return m_progressMax; }
    void setProgressMax(float max) override { m_progressMax = max; }

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption) override { m_caption = caption; }
    bool isDeleteMenuEnabled() const { return m_deleteMenuEnabled; }
    void setDeleteMenuEnabled(bool enabled) override { m_deleteMenuEnabled = enabled; }

    const QList<Row> &rows() const { return m_rows; }
    void setRowChecked(int index, bool checked);

private:
    const Row &row(int index) const;

    QList<Row> m_rows;
    float m_progressValue = 0;
    float m_progressMax = 100;
    QString m_caption;
    bool m_deleteMenuEnabled = false;
};
