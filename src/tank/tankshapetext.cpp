#include "tankshapetext.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString kPoints = QStringLiteral("points");

} // namespace

QString TankShapeText::number(double value)
{
    return QString::number(std::round(value * 100) / 100, 'g', 12);
}

bool TankShapeText::readDimension(const QString& name, const QString& value, double* number,
                                  QString* error)
{
    bool ok = false;
    *number = QLocale::c().toDouble(value.trimmed(), &ok);
    if (ok && std::isfinite(*number))
        return true;
    *error = tr("%1 \"%2\" is not a number").arg(name, value);
    return false;
}

bool TankShapeText::readPoints(const QString& text, QVector<QPointF>* points, QString* error)
{
    const QStringList pairs = text.split(QRegularExpression(QStringLiteral("[\\s;]+")),
                                         Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        const QStringList values = pair.split('/');
        double x = 0;
        double y = 0;
        if (values.size() != 2) {
            *error = tr("profile point \"%1\" is not ACROSS/UP").arg(pair);
            return false;
        }
        if (!readDimension(tr("profile point"), values[0], &x, error) ||
            !readDimension(tr("profile point"), values[1], &y, error))
            return false;
        points->append(QPointF(x, y));
    }
    return true;
}

bool TankShapeText::readField(TankShape::Kind kind, const QString& field,
                              std::vector<double>* dimensions, QVector<QPointF>* points,
                              QString* error)
{
    const QStringList names = TankShape::dimensionNames(kind);
    const QString name = field.section('=', 0, 0).trimmed().toLower();
    const QString value = field.section('=', 1);
    if (kind == TankShape::Profile && name == kPoints)
        return readPoints(value, points, error);
    const int index = names.indexOf(name);
    if (index >= 0 && (kind != TankShape::Profile || name == names.last()))
        return readDimension(name, value, &(*dimensions)[size_t(index)], error);
    *error = tr("%1 has no dimension \"%2\"").arg(TankShape::kindName(kind), name);
    return false;
}

bool TankShapeText::readShape(const QString& text, TankShape* shape, QString* error)
{
    const int colon = text.indexOf(':');
    TankShape::Kind kind = TankShape::Rectangle;
    if (!TankShape::kindOf(text.left(colon), &kind)) {
        *error = tr("\"%1\" is not a tank shape: give one of %2")
                     .arg(text.left(colon), TankShape::kindNames().join(QStringLiteral(", ")));
        return false;
    }
    const QStringList names = TankShape::dimensionNames(kind);
    std::vector<double> dimensions(size_t(names.size()), std::nan(""));
    if (kind == TankShape::Rectangle)
        dimensions.back() = 0; // square corners unless told
    QVector<QPointF> points;
    const QStringList fields = colon < 0 ? QStringList() : text.mid(colon + 1).split(',');
    for (const QString& field : fields) {
        if (!readField(kind, field, &dimensions, &points, error))
            return false;
    }
    for (int i = 0; i < names.size(); ++i) {
        const bool given = kind == TankShape::Profile && i < 2;
        if (!given && std::isnan(dimensions[size_t(i)])) {
            *error = tr("%1 needs its %2").arg(TankShape::kindName(kind), names[i]);
            return false;
        }
    }
    *shape = kind == TankShape::Profile ? TankShape::profile(points, dimensions[2])
                                        : TankShape(kind, dimensions);
    return shape->check(error);
}

bool TankShapeText::readProbe(const QString& text, const TankShape& shape, TankProbe* probe,
                              QString* error)
{
    const QStringList values = text.split(':');
    TankProbe read = *probe; // keeps its full scale
    if (values.size() != 2) {
        *error = tr("the probe \"%1\" is not START:LENGTH in millimetres").arg(text);
        return false;
    }
    if (!readDimension(tr("probe start"), values[0], &read.start, error) ||
        !readDimension(tr("probe length"), values[1], &read.length, error))
        return false;
    if (!checkProbe(shape, read, error))
        return false;
    *probe = read;
    return true;
}

bool TankShapeText::checkProbe(const TankShape& shape, const TankProbe& probe, QString* error)
{
    if (!(probe.start >= 0))
        *error = tr("probe start %1 mm is below the tank's bottom").arg(number(probe.start));
    else if (!(probe.length > 0))
        *error = tr("probe length %1 mm is not above 0").arg(number(probe.length));
    else if (probe.start + probe.length > shape.height() * (1 + 1e-9))
        *error = tr("probe start %1 mm and length %2 mm reach above the tank's height %3 mm")
                     .arg(number(probe.start), number(probe.length), number(shape.height()));
    else if (probe.fullScale < 1)
        *error = tr("full scale %1 is not above 0").arg(probe.fullScale);
    else
        return true;
    return false;
}

QString TankShapeText::shapeText(const TankShape& shape)
{
    const QStringList names = TankShape::dimensionNames(shape.kind());
    QStringList fields;
    if (shape.kind() == TankShape::Profile) {
        QStringList points;
        for (const QPointF& point : shape.points())
            points << number(point.x()) + '/' + number(point.y());
        return QStringLiteral("profile:length=%1,points=%2")
            .arg(number(shape.dimensions()[2]), points.join(' '));
    }
    for (int i = 0; i < names.size(); ++i)
        fields << names[i] + '=' + number(shape.dimensions()[size_t(i)]);
    return TankShape::kindName(shape.kind()) + ':' + fields.join(',');
}

QString TankShapeText::probeText(const TankProbe& probe)
{
    return number(probe.start) + ':' + number(probe.length);
}
