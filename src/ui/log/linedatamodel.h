#pragma once

#include "engine/commandcallback.h"
#include "engine/enginecommand.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <deque>

class LogMessage;

// The table behind the line-data log: one row per exchange on the line (when it
// ended, request, reply), a bounded history so a long diagnostic run cannot eat
// the memory, and a signal per new row so the view can follow.
class LineDataModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_PROPERTY(int rowLimit READ rowLimit WRITE setRowLimit)
public:
    struct Row
    {
        QDateTime time;
        QString request;
        QString response;
        CommandCallback::Result result = CommandCallback::Ok;
        quint8 kind = EngineCommand::None;
    };

    static constexpr int DefaultRowLimit = 500;

    explicit LineDataModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int rowLimit() const { return m_rowLimit; }
    // A row of an exchange heard rather than made (the line monitor's); kept as the
    // engine's rows are, while the log is on.
    void appendRow(Row row);
    bool isEnabled() const { return m_enabled; }

public slots:
    // Taken by reference: a copy would cut the exchange off the record.
    void slotNewMessage(const LogMessage& msg);
    void clear();
    void setEnabled(bool v);
    void setRowLimit(int rl);

signals:
    void newRow();

private:
    void removeOldest(int count);

    std::deque<Row> m_rows;
    bool m_enabled = true;
    int m_rowLimit = DefaultRowLimit;
};
