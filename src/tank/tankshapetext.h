#pragma once

#include "tankprobe.h"
#include "tankshape.h"

#include <QCoreApplication>
#include <QString>

// A shape and a probe as one writes them on a command line and as a computed
// table's header keeps them:
//   horizontal-cylinder:diameter=1200,length=3000
//   profile:length=2000,points=0/0 1200/0 1200/600 0/600
//   START:LENGTH (the probe, millimetres)
class TankShapeText
{
    Q_DECLARE_TR_FUNCTIONS(TankShapeText)
public:
    // The shape, checked; false with what is wrong, naming the value.
    static bool readShape(const QString& text, TankShape* shape, QString* error);
    // The probe, checked against the shape's height.
    static bool readProbe(const QString& text, const TankShape& shape, TankProbe* probe,
                          QString* error);
    static bool checkProbe(const TankShape& shape, const TankProbe& probe, QString* error);
    static QString shapeText(const TankShape& shape);
    static QString probeText(const TankProbe& probe);
    // A value as the texts write it: millimetres to a hundredth, no trailing zeros.
    static QString number(double value);

private:
    static bool readDimension(const QString& name, const QString& value, double* number,
                              QString* error);
    static bool readField(TankShape::Kind kind, const QString& field,
                          std::vector<double>* dimensions, QVector<QPointF>* points,
                          QString* error);
    static bool readPoints(const QString& text, QVector<QPointF>* points, QString* error);
};
