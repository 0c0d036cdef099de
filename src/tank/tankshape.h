#pragma once

#include <QCoreApplication>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <vector>

// The geometry of a tank: a cross-section times a length (for a vertical
// cylinder, its circle times its height). Everything in millimetres; volumes
// in litres. The kinds with a closed form keep it, so that a table is exact
// at every level; a drawn profile is a polygon, exact as drawn.
class TankShape
{
    Q_DECLARE_TR_FUNCTIONS(TankShape)
public:
    enum Kind {
        Rectangle,          // width, height, length, corner radius
        HorizontalCylinder, // diameter, length
        VerticalCylinder,   // diameter, height
        Oval,               // width, height, length: half circles joined by straight sides
        Ellipse,            // width, height, length
        DShape,             // width, height, length: flat bottom, half-circle top
        Profile             // width, height, length: the polygon's box, scaled with it
    };

    static QStringList kindNames();
    // The kind named as kindNames() has it; false when there is none.
    static bool kindOf(const QString& name, Kind* kind);
    static QString kindName(Kind kind);
    // The names of a kind's dimensions, in the order dimensions() keeps them.
    static QStringList dimensionNames(Kind kind);
    // How many of them must be given; the rest (a corner radius) default to 0.
    static int requiredDimensions(Kind kind);

    TankShape() = default;
    TankShape(Kind kind, const std::vector<double>& dimensions);
    // A drawn cross-section: points (across, up) in order around it, and its length.
    static TankShape profile(const QVector<QPointF>& points, double length);

    Kind kind() const { return m_kind; }
    const std::vector<double>& dimensions() const { return m_dimensions; }
    const QVector<QPointF>& points() const { return m_points; }
    // The same shape with other dimensions; a profile stretches to its new box.
    TankShape withDimensions(const std::vector<double>& dimensions) const;

    // False with the offending value named when the shape cannot be a tank.
    bool check(QString* error) const;
    double height() const;
    double fullLitres() const;
    // Litres below a height over the bottom; 0 below it, full above the top.
    double litresBelow(double height) const;
    // The cross-section's outline for drawing (across, up), closed.
    QVector<QPointF> outline() const;

private:
    double areaBelow(double height) const;
    double length() const;
    bool checkProfile(QString* error) const;
    QString fault(int index, const QString& why) const;

    Kind m_kind = Rectangle;
    std::vector<double> m_dimensions;
    QVector<QPointF> m_points; // a profile's, its lowest point at 0
};
