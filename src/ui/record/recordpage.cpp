#include "record/recordpage.h"

#include "files/wholefile.h"
#include "record/commissioningrecord.h"

#include <QBuffer>
#include <QFont>
#include <QLocale>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

namespace {

const char kPlotUrl[] = "nivelon://plot";
// In the document's pixels: the width of the text on an A4 page with the
// margins print() leaves.
const int kPlotWidth = 640;
const char kTimeFormat[] = "yyyy-MM-dd HH:mm:ss";
const double kFontPoints = 9;

QString row(const QString& label, const QString& value)
{
    return QStringLiteral("<tr><td width=\"45%\">%1</td><td>%2</td></tr>")
        .arg(label.toHtmlEscaped(), value.toHtmlEscaped());
}

QString section(const QString& heading, const QString& rows)
{
    return QStringLiteral("<h3>%1</h3><table width=\"100%\" border=\"1\" cellspacing=\"0\" "
                          "cellpadding=\"2\" style=\"border-collapse: collapse; "
                          "border-color: #808080;\">%2</table>")
        .arg(heading.toHtmlEscaped(), rows);
}

// Two columns side by side, so that the facts fit a page above the plot.
QString sideBySide(const QString& left, const QString& right)
{
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
                          "<td width=\"49%\" valign=\"top\">%1</td><td width=\"2%\"></td>"
                          "<td width=\"49%\" valign=\"top\">%2</td></tr></table>")
        .arg(left, right);
}

// A row recorded before the level had settled is starred.
QString tankCells(const TankRow& row)
{
    const QLocale locale;
    return QStringLiteral("<td>%1</td><td>%2 (%3)%4</td>")
        .arg(locale.toString(row.litres, 'f', 1))
        .arg(row.rawLevel)
        .arg(locale.toString(row.level, 'f', 1))
        .arg(row.forced ? QStringLiteral(" *") : QString());
}

QString timeText(qint64 timeMs)
{
    return QDateTime::fromMSecsSinceEpoch(timeMs).toString(QLatin1String(kTimeFormat));
}

} // namespace

bool RecordPage::write(const CommissioningRecord& record, const QImage& plot, const QString& path,
                       QString* error)
{
    // Made whole in memory: a page and its plot are well under a megabyte.
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(tr("Commissioning record"));
        writer.setCreator(QStringLiteral("Nivelon %1").arg(record.version));
        QTextDocument document;
        QFont font = document.defaultFont();
        font.setPointSizeF(kFontPoints);
        document.setDefaultFont(font);
        document.addResource(QTextDocument::ImageResource, QUrl(QLatin1String(kPlotUrl)), plot);
        document.setHtml(html(record));
        document.print(&writer);
    }
    return WholeFile::write(path, pdf, error);
}

QString RecordPage::html(const CommissioningRecord& record)
{
    const QString title = tr("Commissioning record: %1, address %2")
                              .arg(record.model)
                              .arg(record.address)
                              .toHtmlEscaped();
    QString text = QStringLiteral("<h2>%1</h2>").arg(title);
    text += sideBySide(section(tr("Installation"), installationRows(record)) +
                           section(tr("Calibration in this session"), calibrationRows(record)) +
                           section(tr("Line statistics"), statisticsRows(record)),
                       section(tr("Sensor"), sensorRows(record)) +
                           section(tr("Tank table"), tankTableRows(record)));
    // The caption under the picture, so that it cannot stay behind on a page
    // the picture does not fit.
    text += QStringLiteral("<p><img src=\"%1\" width=\"%2\"><br><i>%3</i></p>")
                .arg(kPlotUrl)
                .arg(kPlotWidth)
                .arg(tr("Level over the session").toHtmlEscaped());
    return text;
}

QString RecordPage::installationRows(const CommissioningRecord& record)
{
    return row(tr("Date and time"), record.time.toString(QLatin1String(kTimeFormat))) +
           row(tr("Vehicle"), record.vehicle) + row(tr("Installer"), record.installer) +
           row(tr("Program"), QStringLiteral("Nivelon %1").arg(record.version)) +
           row(tr("Port"), record.port) + row(tr("Model"), record.model) +
           row(tr("Protocol"), record.protocol) +
           row(tr("Address"), QString::number(record.address)) +
           // Room to sign by hand on the printed page.
           QStringLiteral("<tr><td>%1</td><td><br><br></td></tr>")
               .arg(tr("Installer's signature").toHtmlEscaped());
}

// The reading first, then the configuration as the window showed it, or by
// the names scripts use when no window took the record.
QString RecordPage::sensorRows(const CommissioningRecord& record)
{
    QString rows;
    for (const RecordValue& value : record.reading)
        rows += row(label(value.name), valueText(value.name, value.value));
    for (const ShownValue& value : record.shown)
        rows += row(value.label, value.text);
    if (record.shown.isEmpty()) {
        for (const RecordValue& value : record.configuration)
            rows += row(label(value.name), valueText(value.name, value.value));
    }
    if (record.configuration.isEmpty())
        rows += row(tr("Configuration"), tr("none: the protocol has no parameters to set"));
    return rows;
}

QString RecordPage::calibrationRows(const CommissioningRecord& record)
{
    if (record.calibrations.isEmpty())
        return row(tr("Calibration points set"), tr("none"));
    QString rows;
    for (const CalibrationLog::Entry& entry : record.calibrations) {
        QString point;
        switch (entry.point) {
        case CalibrationLog::Empty:
            point = tr("Empty tank frequency (FMax)");
            break;
        case CalibrationLog::Full:
            point = tr("Full tank frequency (FMin)");
            break;
        case CalibrationLog::Minimum:
            point = tr("Minimum point");
            break;
        case CalibrationLog::Maximum:
            point = tr("Maximum point");
            break;
        }
        rows += row(point, tr("%1 at %2").arg(entry.value).arg(timeText(entry.timeMs)));
    }
    return rows;
}

// Two rows of the table side by side, the first half down the left, so that a
// table of a few dozen rows still leaves room for the plot.
QString RecordPage::tankTableRows(const CommissioningRecord& record)
{
    if (!record.tankTable)
        return row(tr("Tank table"), tr("none loaded"));
    const QString header =
        QStringLiteral("<th>%1</th><th>%2</th>")
            .arg(tr("Litres").toHtmlEscaped(), tr("Raw level (level, %)").toHtmlEscaped());
    const std::vector<TankRow>& rows = record.tankTable->rows();
    const size_t half = (rows.size() + 1) / 2;
    QString text = QStringLiteral("<tr>%1%1</tr>").arg(header);
    for (size_t line = 0; line < half; ++line) {
        text += QStringLiteral("<tr>%1%2</tr>")
                    .arg(tankCells(rows[line]), line + half < rows.size()
                                                    ? tankCells(rows[line + half])
                                                    : QStringLiteral("<td></td><td></td>"));
    }
    const bool anyForced =
        std::any_of(rows.begin(), rows.end(), [](const TankRow& row) { return row.forced; });
    if (anyForced)
        text += QStringLiteral("<tr><td colspan=\"4\">%1</td></tr>")
                    .arg(tr("* recorded before the level had settled").toHtmlEscaped());
    const TankTableInfo& info = record.tankTable->info();
    if (!info.shape.isEmpty())
        text += QStringLiteral("<tr><td colspan=\"4\">%1</td></tr>")
                    .arg((info.computed ? tr("Computed from the shape %1, not yet confirmed by a pour")
                                              .arg(info.shape)
                                        : tr("From the shape %1, %2").arg(info.shape, info.confirmation))
                             .toHtmlEscaped());
    return text;
}

QString RecordPage::statisticsRows(const CommissioningRecord& record)
{
    const LineStatistics& statistics = record.statistics;
    const QString heard =
        statistics.lastHeardMs == 0 ? tr("never") : timeText(statistics.lastHeardMs);
    return row(tr("Exchanges"), QString::number(statistics.exchanges)) +
           row(tr("Answered"), QString::number(statistics.successes)) +
           row(tr("Time-outs"), QString::number(statistics.timeouts)) +
           row(tr("Checksum failures"), QString::number(statistics.checksumFailures)) +
           row(tr("Other failures"), QString::number(statistics.otherFailures)) +
           row(tr("Reply time, mean and maximum"),
               tr("%1 ms, %2 ms")
                   .arg(QLocale().toString(statistics.meanReplyMs(), 'f', 1),
                        QLocale().toString(statistics.maxReplyMs(), 'f', 1))) +
           row(tr("Last heard"), heard) +
           row(tr("Noise bytes"), QString::number(statistics.noiseBytes)) +
           row(tr("Frames sent unasked"), QString::number(statistics.unsolicited));
}

// The reading's names are the record's; a configuration parameter keeps the
// name it has on the command line, so the page and a script agree.
QString RecordPage::label(const QString& name)
{
    if (name == QLatin1String("Level"))
        return tr("Level, %");
    if (name == QLatin1String("RawLevel"))
        return tr("Raw level");
    if (name == QLatin1String("Litres"))
        return tr("Volume, L");
    if (name == QLatin1String("Frequency"))
        return tr("Frequency, Hz");
    if (name == QLatin1String("Temperature"))
        return tr("Temperature, °C");
    if (name == QLatin1String("Mode"))
        return tr("Mode");
    return name;
}

QString RecordPage::valueText(const QString& name, const QVariant& value)
{
    if (value.isNull())
        return tr("not reported");
    if (name == QLatin1String("Mode"))
        return value.toString() == QLatin1String("autonomous") ? tr("autonomous (sends by itself)")
                                                               : tr("network (polled)");
    if (name == QLatin1String("Litres"))
        return QLocale().toString(value.toDouble(), 'f', 1);
    if (value.userType() == QMetaType::Double || value.userType() == QMetaType::Float)
        return QLocale().toString(value.toDouble(), 'f', 2);
    return value.toString();
}
