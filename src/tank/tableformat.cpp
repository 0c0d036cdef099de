#include "tableformat.h"

#include "tanktablefile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

const char* const kNames[] = {"csv", "pairs", "segments", "json-pairs"};
// Litres to a centilitre in the pairs; a segment's slope and offset to ten
// figures, so its litres at its start come back to well within that.
const int kLitreDecimals = 2;
const int kSegmentDigits = 10;
const qint64 kMaximumBytes = 4 * 1024 * 1024;

double rounded(double litres)
{
    const double scale = std::pow(10.0, kLitreDecimals);
    return std::round(litres * scale) / scale;
}

// JSON numbers written as the form rounds them.
double significant(double value)
{
    return QString::number(value, 'g', kSegmentDigits).toDouble();
}

} // namespace

QStringList TableFormat::names()
{
    QStringList list;
    for (const char* name : kNames)
        list << name;
    return list;
}

bool TableFormat::formOf(const QString& name, Form* form)
{
    const int index = names().indexOf(name);
    if (index >= 0)
        *form = Form(index);
    return index >= 0;
}

bool TableFormat::checkStyle(const TableStyle& style, QString* error)
{
    if (style.decimal != '.' && style.decimal != ',')
        *error = tr("the decimal sign \"%1\" is neither . nor ,").arg(style.decimal);
    else if (style.separator.isEmpty() || style.separator.contains(style.decimal) ||
             style.separator.contains(QRegularExpression(QStringLiteral("[0-9+\\-eE]"))))
        *error = tr("the separator \"%1\" cannot be told from the numbers").arg(style.separator);
    else
        return true;
    return false;
}

QByteArray TableFormat::write(const TankTable& table, Form form, const TableStyle& style)
{
    switch (form) {
    case Pairs:
        return pairs(table, style);
    case Segments:
        return segments(table);
    case JsonPairs:
        return jsonPairs(table);
    case Csv:
        break;
    }
    return TankTableFile::toCsv(table);
}

QByteArray TableFormat::pairs(const TankTable& table, const TableStyle& style)
{
    QString text;
    for (const TankRow& row : table.rows()) {
        QString litres = QString::number(rounded(row.litres), 'f', kLitreDecimals);
        litres.replace('.', style.decimal);
        text += QString::number(row.rawLevel) + style.separator + litres + '\n';
    }
    return text.toUtf8();
}

// Each segment runs from its row to the next; beyond the last row the litres
// stay as they are, as the table reads them.
QByteArray TableFormat::segments(const TankTable& table)
{
    QJsonArray list;
    const std::vector<TankRow>& rows = table.rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        double a = 0;
        if (i + 1 < rows.size())
            a = (rows[i + 1].litres - rows[i].litres) / (rows[i + 1].rawLevel - rows[i].rawLevel);
        const double b = rows[i].litres - a * rows[i].rawLevel;
        list.append(QJsonObject{{"x", rows[i].rawLevel}, {"a", significant(a)}, {"b", significant(b)}});
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

QByteArray TableFormat::jsonPairs(const TankTable& table)
{
    QJsonArray list;
    for (const TankRow& row : table.rows())
        list.append(QJsonObject{{"in", row.rawLevel}, {"out", rounded(row.litres)}});
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

bool TableFormat::read(const QByteArray& text, int fullScale, TankTable* table, QString* error)
{
    const QByteArray start = text.trimmed().left(1);
    if (start == "[")
        return readJson(text, fullScale, table, error);
    if (start == "#" || text.contains("Litres,RawLevel,Level"))
        return TankTableFile::fromCsv(text, table, error);
    return readPairs(text, fullScale, table, error);
}

bool TableFormat::addRow(double raw, double litres, int fullScale, TankTable* table,
                         QString* error)
{
    if (!std::isfinite(raw) || raw != std::floor(raw) || raw < 0 || raw > 65535) {
        *error = tr("raw level %1 is not a whole number from 0 to 65535").arg(raw);
        return false;
    }
    if (!std::isfinite(litres)) {
        *error = tr("the litres at raw level %1 are not a number").arg(raw);
        return false;
    }
    return table->append({litres, int(raw), 100.0 * raw / fullScale, false}, error);
}

bool TableFormat::readJson(const QByteArray& text, int fullScale, TankTable* table,
                           QString* error)
{
    QJsonParseError parse;
    const QJsonArray list = QJsonDocument::fromJson(text, &parse).array();
    if (parse.error != QJsonParseError::NoError) {
        *error = tr("not JSON at character %1: %2").arg(parse.offset).arg(parse.errorString());
        return false;
    }
    TankTable read;
    for (int i = 0; i < list.size(); ++i) {
        const QJsonObject item = list[i].toObject();
        const bool segment = item.contains("x");
        const bool pair = item.contains("in") && item.contains("out");
        const double raw = (segment ? item["x"] : item["in"]).toDouble(NAN);
        const double litres = segment ? item["a"].toDouble(NAN) * raw + item["b"].toDouble(NAN)
                                      : item["out"].toDouble(NAN);
        QString problem;
        if ((!segment && !pair) || !addRow(raw, litres, fullScale, &read, &problem)) {
            *error = tr("item %1: %2")
                         .arg(i + 1)
                         .arg(problem.isEmpty() ? tr("neither {\"x\", \"a\", \"b\"} nor {\"in\", \"out\"}")
                                                : problem);
            return false;
        }
    }
    if (read.isEmpty()) {
        *error = tr("the list holds no rows");
        return false;
    }
    *table = read;
    return true;
}

// Each line is a raw level and litres; the separator is whatever splits the
// line in two, and a comma left inside a number is its decimal sign.
bool TableFormat::readPairs(const QByteArray& text, int fullScale, TankTable* table,
                            QString* error)
{
    TankTable read;
    const QStringList lines = QString::fromUtf8(text).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QStringList fields;
        for (const QString& separator : {QStringLiteral(";"), QStringLiteral("\t"),
                                         QStringLiteral(" "), QStringLiteral(",")}) {
            fields = line.split(separator, Qt::SkipEmptyParts);
            if (fields.size() == 2)
                break;
        }
        bool rawOk = false;
        bool litresOk = false;
        const double raw = fields.size() == 2 ? QLocale::c().toDouble(fields[0].trimmed(), &rawOk) : 0;
        const double litres = fields.size() == 2 ? QLocale::c().toDouble(
                                                       fields[1].trimmed().replace(',', '.'), &litresOk)
                                                 : 0;
        QString problem = tr("\"%1\" is not a raw level and litres").arg(line);
        if (!rawOk || !litresOk || !addRow(raw, litres, fullScale, &read, &problem)) {
            *error = tr("line %1: %2").arg(i + 1).arg(problem);
            return false;
        }
    }
    if (read.isEmpty()) {
        *error = tr("no pairs of raw level and litres");
        return false;
    }
    *table = read;
    return true;
}

bool TableFormat::load(const QString& path, int fullScale, TankTable* table, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaximumBytes) {
        *error = tr("%1 is too large for a tank table").arg(path);
        return false;
    }
    return read(file.readAll(), fullScale, table, error);
}
