#include "tank/tankcalibrationdialog.h"

#include "engine/basesensor.h"
#include "fleet/fleetclient.h"
#include "fleet/fleetlibrarydialog.h"
#include "fleet/fleetlink.h"
#include "parameters/exactinput.h"
#include "session/tanktableorigin.h"
#include "settings/settingskeys.h"
#include "tank/tankexportdialog.h"
#include "tank/tankshapedialog.h"
#include "tank/tankshapetext.h"
#include "tank/tanktablefile.h"
#include "ui_tankcalibrationdialog.h"
#include "views/lastfolder.h"

#include <QDateTime>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <qwt_plot.h>
#include <qwt_symbol.h>

namespace {

const int kReplotMs = 200;
const int kFullScale = 100;
const QColor kSettledColour(0x33, 0xaa, 0x33);

// In the engineer's own notation, as the spin boxes have it.
QString litresText(double litres)
{
    return QLocale().toString(litres, 'g', 12);
}

QString addressText(const BaseSensor* sensor)
{
    return QStringLiteral("0x%1").arg(sensor->address(), 2, 16, QLatin1Char('0'));
}

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

TankCalibrationDialog::TankCalibrationDialog(BaseSensor* sensor, const QString& model,
                                             QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::TankCalibrationDialog)
    , m_sensor(sensor)
    , m_model(model)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("tankCalibrationDialog"));
    setWindowTitle(tr("Tank calibration: %1 at %2").arg(model, addressText(sensor)));
    ui->toleranceSpinBox->setValue(TankStability::kDefaultTolerance);
    ui->settleSpinBox->setValue(TankStability::kDefaultSettleMs / 1000.0);
    // Taken when the typing is done, exactly as typed or not at all.
    for (QDoubleSpinBox* box : {ui->toleranceSpinBox, ui->settleSpinBox}) {
        box->setKeyboardTracking(false);
        ExactInput::allow(box, box->minimum(), box->maximum());
    }
    ui->tableWidget->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->tableWidget->horizontalHeader()->setStretchLastSection(true);
    setUpPlot();
    addShapeButtons();
    addFleetControls();
    ui->stepSpinBox->setFocus();
    connect(sensor, &BaseSensor::reported, this, &TankCalibrationDialog::slotSensorUpdated);
    // A table the sensor already has, loaded or recorded before, is where to go on from.
    if (const TankTable* table = sensor->tankTable())
        m_calibration.setTable(*table);
    showTable();
    slotSensorUpdated();
}

TankCalibrationDialog::~TankCalibrationDialog() = default;

void TankCalibrationDialog::setUpPlot()
{
    QwtPlot* plot = ui->plot;
    plot->setAxisTitle(QwtPlot::xBottom, tr("Level %"));
    plot->setAxisTitle(QwtPlot::yLeft, tr("Litres"));
    plot->setAxisScale(QwtPlot::xBottom, 0, kFullScale);
    plot->setCanvasBackground(Qt::white);
    m_curve.setPen(QPen(Qt::darkBlue, 2));
    m_curve.setSymbol(
        new QwtSymbol(QwtSymbol::Ellipse, QBrush(Qt::darkBlue), QPen(Qt::darkBlue), QSize(6, 6)));
    m_curve.attach(plot);
    m_levelMarker.setLineStyle(QwtPlotMarker::VLine);
    m_levelMarker.setLinePen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    m_levelMarker.attach(plot);
    m_replotTimer.setSingleShot(true);
    m_replotTimer.setInterval(kReplotMs);
    connect(&m_replotTimer, &QTimer::timeout, plot, &QwtPlot::replot);
}

void TankCalibrationDialog::addShapeButtons()
{
    auto* fromShape = new QPushButton(tr("From shape..."), this);
    auto* exportButton = new QPushButton(tr("Export..."), this);
    fromShape->setObjectName(QStringLiteral("fromShapeButton"));
    exportButton->setObjectName(QStringLiteral("exportButton"));
    for (QPushButton* button : {fromShape, exportButton})
        button->setAutoDefault(false);
    ui->fileButtonsLayout->insertWidget(2, fromShape);
    ui->fileButtonsLayout->insertWidget(3, exportButton);
    connect(fromShape, &QPushButton::clicked, this, &TankCalibrationDialog::fromShape);
    connect(exportButton, &QPushButton::clicked, this, &TankCalibrationDialog::exportTable);
}

// The tank model names the table in the fleet's library: saved with a name,
// the table is published; the library offers every table so named.
void TankCalibrationDialog::addFleetControls()
{
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(tr("Tank model:"), this);
    m_tankModelEdit = new QLineEdit(this);
    m_tankModelEdit->setObjectName(QStringLiteral("tankModelEdit"));
    m_tankModelEdit->setPlaceholderText(tr("e.g. MAN TGX 400 L, to share the table with the fleet"));
    label->setBuddy(m_tankModelEdit);
    auto* library = new QPushButton(tr("From the fleet library..."), this);
    library->setObjectName(QStringLiteral("fleetLibraryButton"));
    library->setAutoDefault(false);
    row->addWidget(label);
    row->addWidget(m_tankModelEdit, 1);
    row->addWidget(library);
    if (auto* parent = qobject_cast<QBoxLayout*>(ui->fileButtonsLayout->parent()))
        parent->insertLayout(parent->indexOf(ui->fileButtonsLayout), row);
    connect(library, &QPushButton::clicked, this, &TankCalibrationDialog::fromFleetLibrary);
}

void TankCalibrationDialog::fromFleetLibrary()
{
    FleetLink* link = FleetLink::current();
    if (!link || !link->isConfigured()) {
        QMessageBox::information(this, tr("Fleet tank library"),
                                 tr("No fleet server is set: choose one in Settings → Fleet "
                                    "server."));
        return;
    }
    FleetLibraryDialog dialog(link->client()->server(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_calibration.setTable(dialog.table());
    tableChanged();
    m_unsaved = true;
    m_tankModelEdit->setText(dialog.model());
    say(tr("Loaded %n row(s) of %1 from the fleet library", "", dialog.table().rowCount())
            .arg(dialog.model()));
}

namespace {

// The full scale the sensor counts to, as the table's origin writes it.
int fullScaleOf(const BaseSensor* sensor)
{
    const QString format = tankTableOrigin(sensor, QString(), QString()).dataFormat;
    const int scale = format.section(QStringLiteral("full scale "), 1).remove(')').toInt();
    return scale > 0 ? scale : TankProbe::kDefaultFullScale;
}

} // namespace

// Rows poured by hand are what a shape is fitted to; a computed table is not.
void TankCalibrationDialog::fromShape()
{
    const TankTable& current = m_calibration.table();
    const bool measured = current.info().shape.isEmpty();
    TankShapeDialog dialog(measured ? current : TankTable(),
                           m_sensor ? fullScaleOf(m_sensor) : TankProbe::kDefaultFullScale, this);
    TankShape shape;
    TankProbe probe;
    QString unused;
    if (!measured && TankShapeText::readShape(current.info().shape, &shape, &unused) &&
        TankShapeText::readProbe(current.info().probe, shape, &probe, &unused))
        dialog.setShape(shape, probe);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_calibration.setTable(dialog.table());
    tableChanged();
    say(dialog.table().info().computed ? tr("Computed from the shape: not yet confirmed by a pour")
                                       : tr("From the shape, %1").arg(dialog.table().info().confirmation));
}

void TankCalibrationDialog::exportTable()
{
    if (m_calibration.table().isEmpty()) {
        say(tr("Nothing to export: the table has no rows"));
        return;
    }
    TankExportDialog(m_calibration.table(), this).exec();
}

// The one place that takes a reading from the sensor.
SensorReading TankCalibrationDialog::reading() const
{
    return m_sensor ? m_sensor->lastReading() : SensorReading();
}

// A level still guessed (an Omnicomm sensor's before its data format is read)
// does not go into a table.
void TankCalibrationDialog::slotSensorUpdated()
{
    const SensorReading now = reading();
    m_readingValid = !now.failed() && now.levelKnown;
    if (m_readingValid)
        m_calibration.addReading(now.timeMs, now.level, now.rawLevel);
    showReading();
}

void TankCalibrationDialog::showReading()
{
    if (m_readingValid) {
        ui->levelValue->setText(tr("%L1 %").arg(m_calibration.lastLevel(), 0, 'f', 2));
        ui->rawLevelValue->setText(QString::number(m_calibration.lastRawLevel()));
        m_levelMarker.setXValue(m_calibration.lastLevel());
        m_levelMarker.setVisible(true);
    } else {
        ui->levelValue->setText(tr("No reading"));
        ui->rawLevelValue->clear();
        m_levelMarker.setVisible(false);
    }
    // A hidden dialog is drawn afresh when shown again.
    if (isVisible() && !m_replotTimer.isActive())
        m_replotTimer.start();
    showStability();
}

// Record waits for a settled level above the last row; recording before it
// has settled is the engineer's call, and the row is marked.
void TankCalibrationDialog::showStability()
{
    const TankStability& stability = m_calibration.stability();
    const bool settled = m_readingValid && stability.isStable();
    const bool risen = m_readingValid && m_calibration.hasRisen();
    ui->stabilityBar->setRange(0, stability.settleMs());
    ui->stabilityBar->setValue(m_readingValid ? stability.settleMs() - stability.remainingMs() : 0);
    if (!m_readingValid)
        ui->stabilityBar->setFormat(tr("No reading"));
    else if (settled)
        ui->stabilityBar->setFormat(tr("Settled"));
    else
        ui->stabilityBar->setFormat(
            tr("Settling: %L1 s to go").arg(stability.remainingMs() / 1000.0, 0, 'f', 1));
    // Readings come often; a palette set again would repaint the bar each time.
    const QColor colour = settled ? kSettledColour : palette().color(QPalette::Highlight);
    if (ui->stabilityBar->palette().color(QPalette::Highlight) != colour) {
        QPalette barPalette = ui->stabilityBar->palette();
        barPalette.setColor(QPalette::Highlight, colour);
        ui->stabilityBar->setPalette(barPalette);
    }
    ui->spreadValue->setText(tr("%L1 % of %L2 % allowed")
                                 .arg(stability.spread(), 0, 'f', 2)
                                 .arg(2 * stability.tolerance(), 0, 'f', 2));
    ui->recordButton->setEnabled(settled && risen);
    ui->forceButton->setEnabled(risen && !settled);
    // Where rows not saved went outweighs any hint, until the table changes.
    if (!m_keptNotice.isEmpty())
        ui->statusLine->setText(m_keptNotice);
    else
        ui->statusLine->setText(settled && !risen && !m_calibration.table().isEmpty()
                                    ? tr("The level has settled, but not above the last row: "
                                         "pour more before recording.")
                                    : m_message);
}

void TankCalibrationDialog::say(const QString& message)
{
    m_message = message;
    showStability();
}

// The first row is what the tank holds before the first pour, 0 when empty.
void TankCalibrationDialog::showStep()
{
    const TankTable& table = m_calibration.table();
    ui->stepLabel->setText(table.isEmpty() ? tr("In the tank") : tr("Poured"));
    const double before = table.isEmpty() ? 0 : table.lastRow().litres;
    ui->totalValue->setText(tr("%1 L").arg(litresText(before + ui->stepSpinBox->value())));
    ui->undoButton->setEnabled(!table.isEmpty());
    ui->saveButton->setEnabled(!table.isEmpty());
}

void TankCalibrationDialog::showTable()
{
    const TankTable& table = m_calibration.table();
    ui->tableWidget->setRowCount(table.rowCount());
    QVector<QPointF> points;
    for (int i = 0; i < table.rowCount(); ++i) {
        const TankRow& row = table.rows()[size_t(i)];
        ui->tableWidget->setItem(i, 0, cell(litresText(row.litres)));
        ui->tableWidget->setItem(i, 1, cell(QString::number(row.rawLevel)));
        ui->tableWidget->setItem(i, 2, cell(QLocale().toString(row.level, 'f', 2)));
        ui->tableWidget->setItem(i, 3,
                                 new QTableWidgetItem(row.forced ? tr("forced") : tr("settled")));
        points.append(QPointF(row.level, row.litres));
    }
    if (table.rowCount() > 0)
        ui->tableWidget->scrollToBottom();
    m_curve.setSamples(points);
    ui->plot->replot();
    showStep();
    showStability();
}

// The sensor's tab shows litres from the table as it grows.
void TankCalibrationDialog::tableChanged()
{
    m_unsaved = !m_calibration.table().isEmpty();
    m_discarded = false;
    m_keptNotice.clear();
    if (m_sensor)
        m_sensor->setTankTable(m_calibration.table().isEmpty() ? nullptr : &m_calibration.table());
    showTable();
}

void TankCalibrationDialog::on_recordButton_clicked()
{
    record();
}

void TankCalibrationDialog::on_forceButton_clicked()
{
    record();
}

// The model marks the row forced when the level has not settled.
void TankCalibrationDialog::record()
{
    const bool first = m_calibration.table().isEmpty();
    QString error;
    if (!m_calibration.recordPour(ui->stepSpinBox->value(), &error)) {
        say(tr("Not recorded: %1").arg(error));
        return;
    }
    const TankRow& row = m_calibration.table().lastRow();
    if (first)
        ui->stepSpinBox->setValue(m_calibration.defaultStep());
    tableChanged();
    say(tr("Row %1 recorded: %2 L at raw level %3")
            .arg(m_calibration.table().rowCount())
            .arg(litresText(row.litres))
            .arg(row.rawLevel));
}

// The fuel of the row taken back stays in the tank: the step that comes next
// pours it again.
void TankCalibrationDialog::on_undoButton_clicked()
{
    const TankTable& table = m_calibration.table();
    if (table.isEmpty())
        return;
    const double undone = table.lastRow().litres;
    if (!m_calibration.undo())
        return;
    ui->stepSpinBox->setValue(table.isEmpty() ? undone : undone - table.lastRow().litres);
    tableChanged();
    say(tr("Row %1 taken back").arg(table.rowCount() + 1));
}

void TankCalibrationDialog::on_toleranceSpinBox_valueChanged(double percent)
{
    TankStability& stability = m_calibration.stability();
    if (refused(ui->toleranceSpinBox, ui->toleranceLabel->text(), stability.tolerance()))
        return;
    stability.setTolerance(percent);
    showStability();
}

void TankCalibrationDialog::on_settleSpinBox_valueChanged(double seconds)
{
    TankStability& stability = m_calibration.stability();
    if (refused(ui->settleSpinBox, ui->settleLabel->text(), stability.settleMs() / 1000.0))
        return;
    stability.setSettleMs(int(seconds * 1000));
    showStability();
}

// A value out of range is said and the box goes back to the one that holds.
bool TankCalibrationDialog::refused(QDoubleSpinBox* box, const QString& what, double holding)
{
    const QString reason = ExactInput::refusal(box);
    if (reason.isEmpty())
        return false;
    const QString typed = box->text();
    {
        const QSignalBlocker blocker(box);
        box->setValue(holding);
    }
    say(tr("%1 %2 refused: %3; it stays %4").arg(what, typed, reason, box->text()));
    return true;
}

void TankCalibrationDialog::on_stepSpinBox_valueChanged(double)
{
    showStep();
}

bool TankCalibrationDialog::saveTo(const QString& path, QString* error)
{
    if (!writeTable(path, QString(), error))
        return false;
    m_unsaved = false;
    m_keptIn.clear();
    m_keptNotice.clear();
    say(tr("Saved to %1").arg(QDir::toNativeSeparators(path)));
    publishToFleet();
    return true;
}

bool TankCalibrationDialog::writeTable(const QString& path, const QString& incomplete,
                                       QString* error)
{
    if (m_sensor) {
        // Where a computed table came from stays with it.
        const TankTableInfo kept = m_calibration.table().info();
        TankTableInfo info = tankTableOrigin(m_sensor, m_model, QStringLiteral(NIVELON_VERSION));
        info.incomplete = incomplete;
        info.shape = kept.shape;
        info.probe = kept.probe;
        info.computed = kept.computed;
        info.confirmation = kept.confirmation;
        m_calibration.setTableInfo(info);
    }
    return TankTableFile::save(m_calibration.table(), path, error);
}

// Rows are the work of hours: a lost line or a quit without the question keeps
// them in a file of their own, beside the saved tables, written again should
// more follow.
void TankCalibrationDialog::keepUnsavedRows(const QString& reason)
{
    if (!m_unsaved || m_discarded)
        return;
    if (m_keptIn.isEmpty())
        m_keptIn = QDir(LastFolder::of(SettingsKeys::TankTableFolder))
                       .filePath(suggestedName() + QStringLiteral("_incomplete.csv"));
    const int rows = m_calibration.table().rowCount();
    QString error;
    if (writeTable(m_keptIn, reason, &error))
        m_keptNotice = tr("%n row(s) not saved are kept in %1, marked incomplete.", "", rows)
                           .arg(QDir::toNativeSeparators(m_keptIn));
    else
        m_keptNotice =
            tr("%n row(s) not saved could not be kept: %1. Save the table elsewhere.", "", rows)
                .arg(error);
    showStability();
}

bool TankCalibrationDialog::loadFrom(const QString& path, QString* error)
{
    TankTable table;
    if (!TankTableFile::load(path, &table, error))
        return false;
    m_calibration.setTable(table);
    tableChanged();
    m_unsaved = false;
    m_keptIn.clear();
    say(tr("Loaded %n row(s) from %1", "", table.rowCount()).arg(QDir::toNativeSeparators(path)));
    return true;
}

// model_address_date, so that the tables of one day's tanks stay apart.
QString TankCalibrationDialog::suggestedName() const
{
    return QStringLiteral("%1_%2_%3")
        .arg(m_model)
        .arg(m_sensor ? m_sensor->address() : 0)
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm")));
}

bool TankCalibrationDialog::save()
{
    const QString path =
        LastFolder::askSave(this, tr("Save tank table"), SettingsKeys::TankTableFolder,
                            suggestedName() + QStringLiteral(".csv"), tr("Tank tables (*.csv)"),
                            QStringLiteral("csv"));
    if (path.isEmpty())
        return false;
    QString error;
    if (saveTo(path, &error))
        return true;
    QMessageBox::warning(this, tr("Tank table not saved"), error);
    return false;
}

void TankCalibrationDialog::on_saveButton_clicked()
{
    save();
}

void TankCalibrationDialog::on_loadButton_clicked()
{
    if (!settleUnsaved(this))
        return;
    const QString path = LastFolder::askOpen(this, tr("Load tank table"),
                                             SettingsKeys::TankTableFolder,
                                             tr("Tank tables (*.csv);;All files (*)"));
    QString error;
    if (!path.isEmpty() && !loadFrom(path, &error))
        QMessageBox::warning(this, tr("Tank table not loaded"),
                             tr("%1 was not loaded: %2").arg(QFileInfo(path).fileName(), error));
}

bool TankCalibrationDialog::settleUnsaved(QWidget* parent)
{
    if (!m_unsaved)
        return true;
    QMessageBox question(QMessageBox::Question, tr("Tank table not saved"),
                         tr("The tank table of %1 at %2 is not saved: %n row(s).", "",
                            m_calibration.table().rowCount())
                             .arg(m_model, m_sensor ? addressText(m_sensor) : QString()),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    question.setDefaultButton(QMessageBox::Save);
    switch (question.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        m_discarded = true;
        return true;
    default:
        return false;
    }
}

void TankCalibrationDialog::publishToFleet()
{
    FleetLink* link = FleetLink::current();
    const QString model = m_tankModelEdit->text().trimmed();
    if (model.isEmpty() || !link || !link->isConfigured())
        return;
    QString error;
    if (link->publishTankTable(model, m_calibration.table(), &error))
        say(tr("Saved, and sent to the fleet library as %1").arg(model));
    else
        QMessageBox::warning(this, tr("Fleet tank library"), error);
}
