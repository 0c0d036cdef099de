#pragma once

#include <QObject>
#include <QTimer>

class QTableView;

// Sizes a table's columns to what they show and gives the last visible column the
// rest of the width: the columns fill the view whatever its width, and no text is
// cut; a view narrower than its texts scrolls sideways instead.
class FillingColumns : public QObject
{
    Q_OBJECT
public:
    // Works for as long as the view lives.
    explicit FillingColumns(QTableView* view);

    void fit();
    // What the visible columns need, side by side, for the rows in sight.
    int contentWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int lastVisibleColumn() const;
    int columnWidth(int column) const;

    QTableView* const m_view;
    // New rows come in bursts: one fit for each turn of the event loop.
    QTimer m_fitSoon;
};
