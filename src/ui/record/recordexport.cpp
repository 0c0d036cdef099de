#include "record/recordexport.h"

#include "engine/serialsensor.h"
#include "fleet/fleetlink.h"
#include "record/commissioningrecord.h"
#include "record/recorddialog.h"
#include "record/recordpage.h"
#include "settings/settingskeys.h"
#include "views/lastfolder.h"
#include "views/sensorwidget.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

namespace {

// A little larger than on the page, so its labels come out smaller than the
// text; drawn at twice the pixels so that it prints sharp.
const QSize kPlotSize(800, 340);
const int kPlotPixelRatio = 2;

} // namespace

// The record is taken when asked for: a dialog that takes a while to build must
// not cost it the reading. The dialogs belong to the window, so that nothing
// of the tab is needed once the record is taken.
void RecordExport::run(SensorWidget* view, RecordContext context)
{
    const auto* sensor = qobject_cast<const SerialSensor*>(view->baseSensor());
    if (!sensor)
        return;
    context.time = QDateTime::currentDateTime();
    CommissioningRecord record = CommissioningRecord::of(*sensor, context, sensor->tankTable());
    record.shown = view->shownConfiguration();
    const QImage plot = plotImage(*view);
    QWidget* window = view->window();
    RecordDialog dialog(window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    record.vehicle = dialog.vehicle();
    record.installer = dialog.installer();
    const QString base = chooseFile(window, record);
    if (base.isEmpty())
        return;
    QString error;
    FleetLink* fleet = FleetLink::current();
    if (!record.save(base + QStringLiteral(".json"), &error) ||
        !RecordPage::write(record, plot, base + QStringLiteral(".pdf"), &error) ||
        (fleet && !fleet->publishRecord(record, &error)))
        QMessageBox::warning(window, tr("Commissioning record"), error);
}

// Two vehicles done on one day at one address get names of their own.
QString RecordExport::suggestedName(const CommissioningRecord& record)
{
    QStringList parts{record.model, QString::number(record.address)};
    // Letters and digits of any script stay; a slash or a space would not make a
    // name, or a good one.
    QString vehicle = record.vehicle;
    vehicle.replace(QRegularExpression(QStringLiteral("[^\\w-]+"),
                                       QRegularExpression::UseUnicodePropertiesOption),
                    QStringLiteral("-"));
    vehicle.remove(QRegularExpression(QStringLiteral("^-+|-+$")));
    if (!vehicle.isEmpty())
        parts << vehicle;
    parts << QDate::currentDate().toString(Qt::ISODate);
    return parts.join(QLatin1Char('_')) + QStringLiteral(".pdf");
}

QString RecordExport::chooseFile(QWidget* parent, const CommissioningRecord& record)
{
    const QString path =
        LastFolder::askSave(parent, tr("Commissioning record"), SettingsKeys::RecordFolder,
                            suggestedName(record), tr("Commissioning record (*.pdf *.json)"),
                            QStringLiteral("pdf"));
    if (path.isEmpty())
        return QString();
    const QFileInfo chosen(path);
    // FILE, FILE.pdf and FILE.json all stand for the pair.
    const QString suffix = chosen.suffix().toLower();
    return suffix == QLatin1String("pdf") || suffix == QLatin1String("json")
               ? chosen.absoluteDir().filePath(chosen.completeBaseName())
               : chosen.absoluteFilePath();
}

// The whole session the view still holds, whatever part of it the window shows;
// the window's own view is put back afterwards.
QImage RecordExport::plotImage(SensorWidget& view)
{
    // The plot follows the newest sample only on its redraw timer.
    view.slotReplot();
    QImage image(kPlotSize * kPlotPixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(kPlotPixelRatio);
    image.fill(Qt::white);
    QwtPlot* plot = view.plot();
    if (!plot)
        return image;
    const QwtInterval shown = plot->axisInterval(QwtPlot::xBottom);
    const QwtSeriesData<QPointF>* samples = view.levelCurve()->data();
    if (samples && samples->size() > 1) {
        const double oldest = samples->sample(0).x();
        const double newest = samples->sample(samples->size() - 1).x();
        plot->setAxisScale(QwtPlot::xBottom, oldest, std::max(newest, oldest + 1));
        plot->updateAxes();
    }
    QwtPlotRenderer renderer;
    renderer.setDiscardFlags(QwtPlotRenderer::DiscardBackground |
                             QwtPlotRenderer::DiscardCanvasBackground |
                             QwtPlotRenderer::DiscardFooter);
    QPainter painter(&image);
    renderer.render(plot, &painter, QRectF(QPointF(0, 0), kPlotSize));
    plot->setAxisScale(QwtPlot::xBottom, shown.minValue(), shown.maxValue());
    plot->replot();
    return image;
}
