#include "log/linedatamodel.h"

#include "engine/linedatamessage.h"
#include "log/logger.h"

#include <QBrush>
#include <algorithm>

namespace {

enum Column { TimeColumn, RequestColumn, ResponseColumn, ColumnCount };

// Lengths are clamped to the buffers: a record must show whatever a protocol
// engine left in them.
QString hexOf(const unsigned char* data, unsigned length, unsigned capacity)
{
    return bytesToString(data, std::min(length, capacity));
}

QString responseOf(const LineDataMessage& msg)
{
    const EngineCommand& command = msg.command;
    unsigned length = command.receivedLength;
    // A reply taken whole may not have counted what it moved; its expected
    // length says how much of the buffer is the reply.
    if (msg.result == CommandCallback::Ok && length == 0)
        length = command.replyLength;
    return hexOf(command.reply, length, EngineCommand::ReplyCapacity);
}

} // namespace

LineDataModel::LineDataModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

int LineDataModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LineDataModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LineDataModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case TimeColumn:
        return tr("Time");
    case RequestColumn:
        return tr("Request");
    case ResponseColumn:
        return tr("Response");
    default:
        return QVariant();
    }
}

QVariant LineDataModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const Row& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        // Exchanges come some milliseconds apart; the date would only crowd them out.
        if (index.column() == TimeColumn)
            return row.time.toString(QStringLiteral("hh:mm:ss.zzz"));
        return index.column() == RequestColumn ? row.request : row.response;
    case Qt::ToolTipRole:
        if (index.column() == TimeColumn)
            return QStringLiteral("%1\n%2").arg(
                row.time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")),
                callbackResultToString(row.result));
        return callbackResultToString(row.result);
    case Qt::ForegroundRole:
        // Detection probes time out at every empty address: that is no fault.
        if (row.result != CommandCallback::Ok && row.kind != EngineCommand::Plain)
            return QBrush(Qt::red);
        return QVariant();
    default:
        return QVariant();
    }
}

void LineDataModel::slotNewMessage(const LogMessage& msg)
{
    if (msg.section() != Logger::LineData || !m_enabled)
        return;
    // Plain text can be logged in this section too; only exchange records make rows.
    const auto* exchange = dynamic_cast<const LineDataMessage*>(&msg);
    if (!exchange)
        return;
    Row row;
    row.time = exchange->dateTime();
    row.request = hexOf(exchange->command.request, exchange->command.requestLength,
                        EngineCommand::RequestCapacity);
    row.response = responseOf(*exchange);
    row.result = exchange->result;
    row.kind = exchange->command.kind;
    appendRow(std::move(row));
}

void LineDataModel::appendRow(Row row)
{
    if (!m_enabled)
        return;
    if (m_rowLimit > 0 && rowCount() >= m_rowLimit)
        removeOldest(rowCount() - m_rowLimit + 1);
    const int at = rowCount();
    beginInsertRows(QModelIndex(), at, at);
    m_rows.push_back(std::move(row));
    endInsertRows();
    emit newRow();
}

void LineDataModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void LineDataModel::setEnabled(bool v)
{
    m_enabled = v;
}

void LineDataModel::setRowLimit(int rl)
{
    // A negative limit is read as no limit, as 0 is.
    rl = std::max(rl, 0);
    if (rl > 0 && rowCount() > rl)
        removeOldest(rowCount() - rl);
    m_rowLimit = rl;
}

void LineDataModel::removeOldest(int count)
{
    beginRemoveRows(QModelIndex(), 0, count - 1);
    m_rows.erase(m_rows.begin(), m_rows.begin() + count);
    endRemoveRows();
}
