#pragma once

#include "tank/tankprobe.h"
#include "tank/tankshape.h"

#include <QWidget>

// The tank's cross-section as drawn to scale, with the probe's measuring
// range standing in it.
class TankShapeDrawing : public QWidget
{
    Q_OBJECT
public:
    explicit TankShapeDrawing(QWidget* parent = nullptr);

    // An invalid shape draws nothing.
    void setTank(const TankShape& shape, const TankProbe& probe, bool valid);
    QSize sizeHint() const override { return QSize(220, 180); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TankShape m_shape;
    TankProbe m_probe;
    bool m_valid = false;
};
