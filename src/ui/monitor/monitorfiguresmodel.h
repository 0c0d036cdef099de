#pragma once

#include "monitor/addressfigures.h"

#include <QAbstractTableModel>
#include <QVector>

// The figures of every address heard on a watched line, one row an address in
// address order, for the monitor's table.
class MonitorFiguresModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        AddressColumn,
        RequestsColumn,
        RepliesColumn,
        TimeoutsColumn,
        ChecksumColumn,
        ExceptionsColumn,
        PeriodColumn,
        LatencyColumn,
        LevelColumn,
        LitresColumn,
        StatusColumn,
        UnaskedColumn,
        ColumnCount
    };

    explicit MonitorFiguresModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The address's row, added in its place when it is new.
    void update(const AddressFigures& figures);
    void clear();

private:
    QString text(const AddressFigures& figures, int column) const;

    QVector<AddressFigures> m_rows;
};
