#pragma once

#include <QPointer>
#include <QWidget>

class BaseSensor;
class QLabel;

// The litres in a sensor's tank, beside its level in the tab, for as long as
// the sensor has a tank table; hidden without one.
class TankLitresField : public QWidget
{
    Q_OBJECT
public:
    explicit TankLitresField(BaseSensor* sensor, QWidget* parent = nullptr);

    QString text() const;

private slots:
    void slotUpdate();

private:
    QPointer<BaseSensor> m_sensor;
    QLabel* m_value;
};
