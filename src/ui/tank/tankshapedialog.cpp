#include "tank/tankshapedialog.h"

#include "tank/tankfit.h"
#include "tank/tankshapedrawing.h"
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <qwt_legend.h>
#include <qwt_plot.h>
#include <qwt_symbol.h>

namespace {

const double kLargestMm = 100000;

QString millimetres(double value)
{
    return QLocale().toString(value, 'f', 1);
}

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidget* makeTable(const QStringList& headers)
{
    auto* widget = new QTableWidget(0, headers.size());
    widget->setHorizontalHeaderLabels(headers);
    widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    widget->setSelectionMode(QAbstractItemView::NoSelection);
    widget->verticalHeader()->setVisible(false);
    widget->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return widget;
}

// The names the window gives shapes and dimensions; the files keep the plain ones.
QString kindTitle(TankShape::Kind kind)
{
    switch (kind) {
    case TankShape::Rectangle:
        return TankShapeDialog::tr("Rectangle");
    case TankShape::HorizontalCylinder:
        return TankShapeDialog::tr("Horizontal cylinder");
    case TankShape::VerticalCylinder:
        return TankShapeDialog::tr("Vertical cylinder");
    case TankShape::Oval:
        return TankShapeDialog::tr("Oval");
    case TankShape::Ellipse:
        return TankShapeDialog::tr("Ellipse");
    case TankShape::DShape:
        return TankShapeDialog::tr("D-shape");
    case TankShape::Profile:
        break;
    }
    return TankShapeDialog::tr("Drawn profile");
}

QString dimensionTitle(const QString& name)
{
    if (name == QLatin1String("width"))
        return TankShapeDialog::tr("Width");
    if (name == QLatin1String("height"))
        return TankShapeDialog::tr("Height");
    if (name == QLatin1String("length"))
        return TankShapeDialog::tr("Length");
    if (name == QLatin1String("diameter"))
        return TankShapeDialog::tr("Diameter");
    return TankShapeDialog::tr("Corner radius");
}

QDoubleSpinBox* millimetreBox(double value, double lowest)
{
    auto* box = new QDoubleSpinBox;
    box->setRange(lowest, kLargestMm);
    box->setDecimals(1);
    box->setSuffix(TankShapeDialog::tr(" mm"));
    box->setValue(value);
    return box;
}

} // namespace

TankShapeDialog::TankShapeDialog(const TankTable& measured, int fullScale, QWidget* parent)
    : QDialog(parent)
    , m_measured(measured)
    , m_fullScale(fullScale)
{
    setObjectName(QStringLiteral("tankShapeDialog"));
    setWindowTitle(tr("Tank table from the tank's shape"));
    auto* columns = new QHBoxLayout;
    columns->addWidget(makeFields());
    columns->addWidget(makeFitView(), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    m_useNominal = buttons->addButton(tr("Use the nominal shape"), QDialogButtonBox::AcceptRole);
    m_useFit = buttons->addButton(tr("Use the fit"), QDialogButtonBox::AcceptRole);
    m_useFit->setObjectName(QStringLiteral("useFit"));
    connect(m_useNominal, &QPushButton::clicked, this, [this] { take(false); });
    connect(m_useFit, &QPushButton::clicked, this, [this] { take(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    buildDimensionFields();
}

TankShapeDialog::~TankShapeDialog() = default;

QWidget* TankShapeDialog::makeFields()
{
    auto* box = new QGroupBox(tr("Tank and probe"));
    auto* form = new QFormLayout(box);
    m_kind = new QComboBox;
    for (int kind = TankShape::Rectangle; kind <= TankShape::Profile; ++kind)
        m_kind->addItem(kindTitle(TankShape::Kind(kind)));
    m_kind->setCurrentIndex(TankShape::HorizontalCylinder);
    connect(m_kind, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TankShapeDialog::buildDimensionFields);
    form->addRow(tr("Shape"), m_kind);
    m_drawing = new TankShapeDrawing;
    form->addRow(m_drawing);
    m_dimensionsLayout = new QFormLayout;
    form->addRow(m_dimensionsLayout);
    m_probeStart = millimetreBox(0, 0);
    m_probeLength = millimetreBox(1000, 1);
    m_probeStart->setObjectName(QStringLiteral("probeStart"));
    m_probeLength->setObjectName(QStringLiteral("probeLength"));
    m_rows = new QSpinBox;
    m_rows->setRange(2, std::min(TankShapeTable::kMostPoints, m_fullScale + 1));
    m_rows->setValue(TankShapeTable::kDefaultPoints);
    form->addRow(tr("Probe starts above the bottom"), m_probeStart);
    form->addRow(tr("Probe's measuring length"), m_probeLength);
    form->addRow(tr("Rows"), m_rows);
    for (QDoubleSpinBox* field : {m_probeStart, m_probeLength})
        connect(field, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                &TankShapeDialog::refresh);
    connect(m_rows, QOverload<int>::of(&QSpinBox::valueChanged), this, &TankShapeDialog::refresh);
    return box;
}

QWidget* TankShapeDialog::makeFitView()
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_plot = new QwtPlot;
    m_plot->setMinimumSize(420, 260);
    m_plot->setCanvasBackground(Qt::white);
    m_plot->setAxisTitle(QwtPlot::xBottom, tr("Raw level"));
    m_plot->setAxisTitle(QwtPlot::yLeft, tr("Litres"));
    m_plot->insertLegend(new QwtLegend, QwtPlot::BottomLegend);
    m_nominalCurve.setTitle(tr("Nominal shape"));
    m_nominalCurve.setPen(QPen(Qt::darkBlue, 2));
    m_fittedCurve.setTitle(tr("Fitted shape"));
    m_fittedCurve.setPen(QPen(QColor(0x22, 0x99, 0x22), 2, Qt::DashLine));
    m_measuredCurve.setTitle(tr("Measured rows"));
    m_measuredCurve.setStyle(QwtPlotCurve::NoCurve);
    m_measuredCurve.setSymbol(
        new QwtSymbol(QwtSymbol::Ellipse, QBrush(Qt::black), QPen(Qt::black), QSize(8, 8)));
    for (QwtPlotCurve* curve : {&m_nominalCurve, &m_fittedCurve, &m_measuredCurve})
        curve->attach(m_plot);
    m_measuredCurve.setSamples(curveOf(m_measured));
    layout->addWidget(m_plot, 2);
    m_fitDimensions = makeTable({tr("Dimension"), tr("Nominal"), tr("Fitted"), tr("Change")});
    m_residuals = makeTable({tr("Measured, L"), tr("Raw level"), tr("Nominal off, L"), tr("Fit off, L")});
    layout->addWidget(m_fitDimensions, 1);
    layout->addWidget(m_residuals, 1);
    return column;
}

void TankShapeDialog::buildDimensionFields()
{
    const auto kind = TankShape::Kind(m_kind->currentIndex());
    while (m_dimensionsLayout->rowCount() > 0)
        m_dimensionsLayout->removeRow(0);
    m_dimensions.clear();
    m_points = nullptr;
    const QStringList names = TankShape::dimensionNames(kind);
    const double defaults[] = {1200, 600, 3000, 0};
    for (int i = 0; i < names.size(); ++i) {
        if (kind == TankShape::Profile && i < 2)
            continue; // the corners give the box
        const bool radius = names[i] == QLatin1String("radius");
        auto* field = millimetreBox(kind == TankShape::HorizontalCylinder && i == 1 ? 3000 : defaults[i],
                                    radius ? 0 : 1);
        field->setObjectName(names[i]);
        connect(field, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                &TankShapeDialog::refresh);
        m_dimensionsLayout->addRow(dimensionTitle(names[i]), field);
        m_dimensions << field;
    }
    if (kind == TankShape::Profile) {
        m_points = new QLineEdit(QStringLiteral("0/0 1200/0 1200/600 0/600"));
        m_points->setToolTip(tr("The corners around the cross-section, ACROSS/UP in mm"));
        connect(m_points, &QLineEdit::textChanged, this, &TankShapeDialog::refresh);
        m_dimensionsLayout->insertRow(0, tr("Corners"), m_points);
    }
    refresh();
}

void TankShapeDialog::setShape(const TankShape& shape, const TankProbe& probe)
{
    m_kind->setCurrentIndex(shape.kind());
    const std::vector<double>& values = shape.dimensions();
    if (shape.kind() == TankShape::Profile) {
        m_points->setText(TankShapeText::shapeText(shape).section(QStringLiteral("points="), 1));
        m_dimensions[0]->setValue(values[2]);
    } else {
        for (int i = 0; i < m_dimensions.size(); ++i)
            m_dimensions[i]->setValue(values[size_t(i)]);
    }
    m_probeStart->setValue(probe.start);
    m_probeLength->setValue(probe.length);
}

// Read through the same text a command line gives, so the window refuses what
// the command line refuses, in the same words.
bool TankShapeDialog::readShape(TankShape* shape, TankProbe* probe, QString* error) const
{
    const auto kind = TankShape::Kind(m_kind->currentIndex());
    const QStringList names = TankShape::dimensionNames(kind);
    QStringList fields;
    for (int i = 0; i < m_dimensions.size(); ++i)
        fields << (kind == TankShape::Profile ? names.last() : names[i]) + '=' +
                      QString::number(m_dimensions[i]->value(), 'g', 12);
    if (m_points)
        fields << QStringLiteral("points=") + m_points->text();
    probe->fullScale = m_fullScale;
    return TankShapeText::readShape(TankShape::kindName(kind) + ':' + fields.join(','), shape,
                                    error) &&
           TankShapeText::readProbe(QStringLiteral("%1:%2")
                                        .arg(m_probeStart->value(), 0, 'g', 12)
                                        .arg(m_probeLength->value(), 0, 'g', 12),
                                    *shape, probe, error);
}

QVector<QPointF> TankShapeDialog::curveOf(const TankTable& table) const
{
    QVector<QPointF> points;
    for (const TankRow& row : table.rows())
        points << QPointF(row.rawLevel, row.litres);
    return points;
}

void TankShapeDialog::refresh()
{
    TankShape shape;
    TankProbe probe;
    QString error;
    const bool valid = readShape(&shape, &probe, &error) &&
                       TankShapeTable::make(shape, probe, m_rows->value(), &m_nominal, &error);
    m_drawing->setTank(shape, probe, valid);
    m_nominalCurve.setSamples(valid ? curveOf(m_nominal) : QVector<QPointF>());
    m_fitted = TankTable();
    m_fittedCurve.setSamples(QVector<QPointF>());
    m_fitDimensions->setRowCount(0);
    m_residuals->setRowCount(0);
    m_useNominal->setEnabled(valid);
    m_useFit->setEnabled(false);
    m_status->setText(valid ? tr("Full: %L1 L. Computed from the shape until pours confirm it.")
                                  .arg(shape.fullLitres(), 0, 'f', 1)
                            : error);
    if (valid && m_measured.rowCount() >= 2)
        showFit(shape, probe);
    m_plot->replot();
}

void TankShapeDialog::showFit(const TankShape& shape, const TankProbe& probe)
{
    TankFit fit(shape, probe, m_measured);
    QString error;
    if (!fit.run(&error) || !fit.table(m_rows->value(), &m_fitted, &error)) {
        m_status->setText(error);
        return;
    }
    m_fittedCurve.setSamples(curveOf(m_fitted));
    showFitTables(fit);
    m_useFit->setEnabled(!fit.isSuspect());
    m_status->setText(
        fit.isSuspect()
            ? tr("The fit is suspect: it changes the tank by more than %L1 %. Check the "
                 "dimensions, the probe and the pours; it is not applied.")
                  .arg(TankFit::kPlausibleChange * 100)
            : tr("Fitted to %1 measured rows: the largest residual is %L2 L (%L3 L nominal).")
                  .arg(m_measured.rowCount())
                  .arg(fit.largestResidual(), 0, 'f', 2)
                  .arg(fit.largestResidual(false), 0, 'f', 2));
}

void TankShapeDialog::showFitTables(const TankFit& fit)
{
    const QStringList names = TankShape::dimensionNames(fit.shape().kind());
    m_fitDimensions->setRowCount(names.size() + 1);
    for (int i = 0; i < names.size(); ++i) {
        m_fitDimensions->setItem(i, 0, new QTableWidgetItem(dimensionTitle(names[i])));
        m_fitDimensions->setItem(i, 1, cell(millimetres(fit.nominalShape().dimensions()[size_t(i)])));
        m_fitDimensions->setItem(i, 2, cell(millimetres(fit.shape().dimensions()[size_t(i)])));
        m_fitDimensions->setItem(
            i, 3, cell(tr("%L1 %").arg(fit.changes()[size_t(i)] * 100, 0, 'f', 2)));
    }
    const int probeRow = names.size();
    m_fitDimensions->setItem(probeRow, 0, new QTableWidgetItem(tr("Probe start")));
    m_fitDimensions->setItem(probeRow, 1, cell(millimetres(fit.nominalProbe().start)));
    m_fitDimensions->setItem(probeRow, 2, cell(millimetres(fit.probe().start)));
    m_fitDimensions->setItem(probeRow, 3, cell(tr("%L1 mm").arg(fit.probeStartChange(), 0, 'f', 1)));
    const std::vector<double> before = fit.residuals(false);
    const std::vector<double> after = fit.residuals(true);
    m_residuals->setRowCount(int(after.size()));
    for (int i = 0; i < int(after.size()); ++i) {
        const TankRow& row = m_measured.rows()[size_t(i)];
        m_residuals->setItem(i, 0, cell(QLocale().toString(row.litres, 'f', 1)));
        m_residuals->setItem(i, 1, cell(QString::number(row.rawLevel)));
        m_residuals->setItem(i, 2, cell(QLocale().toString(before[size_t(i)], 'f', 2)));
        m_residuals->setItem(i, 3, cell(QLocale().toString(after[size_t(i)], 'f', 2)));
    }
}

void TankShapeDialog::take(bool fitted)
{
    m_table = fitted ? m_fitted : m_nominal;
    accept();
}
