#include "tanktablefile.h"

#include "files/wholefile.h"

#include <QLocale>
#include <cmath>

namespace {

const QString kHeader = QStringLiteral("Litres,RawLevel,Level");
const QString kTitle = QStringLiteral("Nivelon tank table");
const QString kModel = QStringLiteral("Model");
const QString kAddress = QStringLiteral("Address");
const QString kDataFormat = QStringLiteral("DataFormat");
const QString kDate = QStringLiteral("Date");
const QString kVersion = QStringLiteral("Version");
const QString kForced = QStringLiteral("Forced rows");
const QString kIncomplete = QStringLiteral("Incomplete");
const QString kShape = QStringLiteral("Shape");
const QString kProbe = QStringLiteral("Probe");
const QString kComputed = QStringLiteral("Computed");
// Until pours confirm it, a computed table says so in these words.
const QString kUnconfirmed = QStringLiteral("unconfirmed");
// Far above any real table; keeps a wrong file from being read into memory.
const qint64 kMaximumBytes = 4 * 1024 * 1024;

QString commentLine(const QString& key, const QString& value)
{
    return QStringLiteral("# %1: %2\n").arg(key, value);
}

} // namespace

QByteArray TankTableFile::toCsv(const TankTable& table)
{
    const TankTableInfo& info = table.info();
    QString text = QStringLiteral("# %1\n").arg(kTitle);
    text += commentLine(kModel, info.model);
    text += commentLine(kAddress, info.address < 0 ? QString() : QString::number(info.address));
    text += commentLine(kDataFormat, info.dataFormat);
    text += commentLine(kDate, info.date.toString(Qt::ISODate));
    text += commentLine(kVersion, info.version);
    if (!info.incomplete.isEmpty())
        text += commentLine(kIncomplete, info.incomplete);
    if (!info.shape.isEmpty())
        text += commentLine(kShape, info.shape) + commentLine(kProbe, info.probe) +
                commentLine(kComputed, info.computed ? kUnconfirmed : info.confirmation);
    text += kHeader + '\n';
    QStringList forced;
    for (int i = 0; i < table.rowCount(); ++i) {
        const TankRow& row = table.rows()[size_t(i)];
        text += QStringLiteral("%1,%2,%3\n")
                    .arg(QString::number(row.litres, 'g', 12))
                    .arg(row.rawLevel)
                    .arg(QString::number(row.level, 'f', 2));
        if (row.forced)
            forced << QString::number(i + 1);
    }
    // After the rows, so that a reader that knows only the columns still reads them.
    if (!forced.isEmpty())
        text += commentLine(kForced, forced.join(','));
    return text.toUtf8();
}

bool TankTableFile::fromCsv(const QByteArray& text, TankTable* table, QString* error)
{
    TankTableFile reader;
    const QStringList lines = QString::fromUtf8(text).split('\n');
    for (const QString& line : lines) {
        ++reader.m_lineNumber;
        if (!reader.readLine(line.trimmed())) {
            *error = reader.m_error;
            return false;
        }
    }
    if (!reader.finish()) {
        *error = reader.m_error;
        return false;
    }
    *table = reader.m_table;
    return true;
}

bool TankTableFile::readLine(const QString& line)
{
    if (line.startsWith('#'))
        return readComment(line.mid(1).trimmed());
    if (line.isEmpty())
        return true;
    if (m_headerLine > 0)
        return readRow(line);
    if (QString(line).remove(' ').compare(kHeader, Qt::CaseInsensitive) != 0)
        return fail(tr("the header %1 is expected here").arg(kHeader));
    m_headerLine = m_lineNumber;
    return true;
}

// Comments tell a person where the table came from, and a comment that cannot
// be read is still a comment; only the forced rows are part of the data.
bool TankTableFile::readComment(const QString& text)
{
    const int colon = text.indexOf(':');
    const QString key = text.left(colon).trimmed();
    const QString value = text.mid(colon + 1).trimmed();
    if (colon < 0)
        return true;
    if (key == kModel)
        m_info.model = value;
    else if (key == kAddress)
        m_info.address = value.isEmpty() ? -1 : value.toInt();
    else if (key == kDataFormat)
        m_info.dataFormat = value;
    else if (key == kDate)
        m_info.date = QDateTime::fromString(value, Qt::ISODate);
    else if (key == kVersion)
        m_info.version = value;
    else if (key == kIncomplete)
        m_info.incomplete = value;
    else if (key == kShape)
        m_info.shape = value;
    else if (key == kProbe)
        m_info.probe = value;
    else if (key == kComputed) {
        m_info.computed = value == kUnconfirmed;
        m_info.confirmation = m_info.computed ? QString() : value;
    } else if (key == kForced)
        return readForced(value);
    return true;
}

bool TankTableFile::readForced(const QString& value)
{
    m_forcedLine = m_lineNumber;
    for (const QString& field : value.split(',')) {
        bool ok = false;
        const int row = field.trimmed().toInt(&ok);
        if (!ok)
            return fail(tr("the forced rows \"%1\" are not row numbers").arg(value));
        m_forced << row;
    }
    return true;
}

bool TankTableFile::readRow(const QString& line)
{
    const QStringList fields = line.split(',');
    if (fields.size() != 3)
        return fail(tr("%1 wants 3 fields, this row has %2").arg(kHeader).arg(fields.size()));
    TankRow row;
    double raw = 0;
    if (!readNumber(QStringLiteral("Litres"), fields[0], &row.litres) ||
        !readNumber(QStringLiteral("RawLevel"), fields[1], &raw) ||
        !readNumber(QStringLiteral("Level"), fields[2], &row.level))
        return false;
    if (raw != std::floor(raw) || std::abs(raw) > 65535)
        return fail(tr("RawLevel %1 is not a whole number from 0 to 65535").arg(fields[1]));
    row.rawLevel = int(raw);
    QString problem;
    return m_table.append(row, &problem) || fail(problem);
}

bool TankTableFile::readNumber(const QString& name, const QString& text, double* number)
{
    bool ok = false;
    *number = QLocale::c().toDouble(text.trimmed(), &ok);
    return (ok && std::isfinite(*number)) ||
           fail(tr("%1 \"%2\" is not a number").arg(name, text.trimmed()));
}

bool TankTableFile::finish()
{
    if (m_headerLine == 0)
        return fail(tr("the header %1 is missing").arg(kHeader));
    if (m_table.isEmpty())
        return fail(tr("no rows follow the header"), m_headerLine);
    std::vector<TankRow> rows = m_table.rows();
    for (int number : qAsConst(m_forced)) {
        if (number < 1 || number > m_table.rowCount())
            return fail(tr("the forced rows name a row that is not in the table"), m_forcedLine);
        rows[size_t(number - 1)].forced = true;
    }
    m_table = TankTable();
    for (const TankRow& row : rows)
        m_table.append(row);
    m_table.setInfo(m_info);
    return true;
}

bool TankTableFile::fail(const QString& reason, int lineNumber)
{
    m_error = tr("line %1: %2").arg(lineNumber < 0 ? m_lineNumber : lineNumber).arg(reason);
    return false;
}

bool TankTableFile::save(const TankTable& table, const QString& path, QString* error)
{
    return saveBytes(toCsv(table), path, error);
}

bool TankTableFile::saveBytes(const QByteArray& bytes, const QString& path, QString* error)
{
    return WholeFile::write(path, bytes, error);
}

bool TankTableFile::load(const QString& path, TankTable* table, QString* error)
{
    QByteArray text;
    return WholeFile::read(path, kMaximumBytes, &text, error) && fromCsv(text, table, error);
}
