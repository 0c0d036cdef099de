#pragma once

#include "tank/tankprobe.h"
#include "tank/tankshape.h"
#include "tank/tanktable.h"

#include <QDialog>
#include <QVector>
#include <memory>
#include <qwt_plot_curve.h>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QwtPlot;
class TankFit;
class TankShapeDrawing;

// A tank table from the tank's shape: the cross-section drawn with the probe,
// its dimensions, the curve it gives; with measured rows, the shape fitted to
// them beside the nominal one. The table taken is computed (nominal) or
// confirmed by the rows (fit); a suspect fit cannot be taken.
class TankShapeDialog : public QDialog
{
    Q_OBJECT
public:
    TankShapeDialog(const TankTable& measured, int fullScale, QWidget* parent);
    ~TankShapeDialog() override;

    // The table chosen; valid once the dialog is accepted.
    const TankTable& table() const { return m_table; }
    // Fills the fields from a shape and probe (as a computed table keeps them).
    void setShape(const TankShape& shape, const TankProbe& probe);

private:
    QWidget* makeFields();
    QWidget* makeFitView();
    void buildDimensionFields();
    bool readShape(TankShape* shape, TankProbe* probe, QString* error) const;
    void refresh();
    void showFit(const TankShape& shape, const TankProbe& probe);
    void showFitTables(const TankFit& fit);
    QVector<QPointF> curveOf(const TankTable& table) const;
    void take(bool fitted);

    const TankTable m_measured;
    const int m_fullScale;
    TankTable m_table;
    TankTable m_nominal;
    TankTable m_fitted;
    QComboBox* m_kind = nullptr;
    QFormLayout* m_dimensionsLayout = nullptr;
    QVector<QDoubleSpinBox*> m_dimensions;
    QLineEdit* m_points = nullptr; // a drawn profile's corners
    QDoubleSpinBox* m_probeStart = nullptr;
    QDoubleSpinBox* m_probeLength = nullptr;
    QSpinBox* m_rows = nullptr;
    TankShapeDrawing* m_drawing = nullptr;
    QwtPlot* m_plot = nullptr;
    QwtPlotCurve m_nominalCurve;
    QwtPlotCurve m_fittedCurve;
    QwtPlotCurve m_measuredCurve;
    QTableWidget* m_fitDimensions = nullptr;
    QTableWidget* m_residuals = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_useNominal = nullptr;
    QPushButton* m_useFit = nullptr;
};
