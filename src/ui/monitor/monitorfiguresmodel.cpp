#include "monitor/monitorfiguresmodel.h"

#include <algorithm>

namespace {

QString millisecondsText(double value)
{
    return value < 0 ? QStringLiteral("–") : QString::number(value, 'f', 0);
}

template <typename Key>
QString countsText(const QMap<Key, int>& counts)
{
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        parts << QStringLiteral("%1 ×%2").arg(it.key()).arg(it.value());
    return parts.join(QStringLiteral(", "));
}

} // namespace

MonitorFiguresModel::MonitorFiguresModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

int MonitorFiguresModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int MonitorFiguresModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MonitorFiguresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case AddressColumn:
        return tr("Address");
    case RequestsColumn:
        return tr("Requests");
    case RepliesColumn:
        return tr("Replies");
    case TimeoutsColumn:
        return tr("Time-outs");
    case ChecksumColumn:
        return tr("Checksum failures");
    case ExceptionsColumn:
        return tr("Exceptions");
    case PeriodColumn:
        return tr("Poll period, ms");
    case LatencyColumn:
        return tr("Latency mean / max, ms");
    case LevelColumn:
        return tr("Last level");
    case LitresColumn:
        return tr("Litres");
    case StatusColumn:
        return tr("Status codes");
    case UnaskedColumn:
        return tr("Sent unasked");
    default:
        return QVariant();
    }
}

QVariant MonitorFiguresModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return text(m_rows[index.row()], index.column());
    if (role == Qt::TextAlignmentRole && index.column() != ExceptionsColumn &&
        index.column() != StatusColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QString MonitorFiguresModel::text(const AddressFigures& figures, int column) const
{
    switch (column) {
    case AddressColumn:
        return QString::number(figures.address);
    case RequestsColumn:
        return QString::number(figures.requests);
    case RepliesColumn:
        return QString::number(figures.replies);
    case TimeoutsColumn:
        return QString::number(figures.timeouts);
    case ChecksumColumn:
        return QString::number(figures.checksumFailures);
    case ExceptionsColumn:
        return figures.exceptions == 0 ? QStringLiteral("0")
                                       : QStringLiteral("%1: %2")
                                             .arg(figures.exceptions)
                                             .arg(countsText(figures.exceptionNames));
    case PeriodColumn:
        return millisecondsText(figures.pollPeriodMs());
    case LatencyColumn:
        return QStringLiteral("%1 / %2").arg(millisecondsText(figures.latencyMeanMs()),
                                             millisecondsText(double(figures.latencyMaxMs)));
    case LevelColumn:
        return figures.hasReading && figures.lastReading.hasLevel()
                   ? QStringLiteral("%1 %").arg(double(figures.lastReading.level), 0, 'f', 1)
                   : QStringLiteral("–");
    case LitresColumn:
        return figures.hasLitres ? QString::number(figures.litres, 'f', 1) : QStringLiteral("–");
    case StatusColumn:
        return countsText(figures.statusCodes);
    case UnaskedColumn:
        return QString::number(figures.sentUnasked);
    default:
        return QString();
    }
}

void MonitorFiguresModel::update(const AddressFigures& figures)
{
    const auto at = std::lower_bound(
        m_rows.begin(), m_rows.end(), figures.address,
        [](const AddressFigures& row, int address) { return row.address < address; });
    const int row = int(at - m_rows.begin());
    if (at != m_rows.end() && at->address == figures.address) {
        *at = figures;
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        return;
    }
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(row, figures);
    endInsertRows();
}

void MonitorFiguresModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}
