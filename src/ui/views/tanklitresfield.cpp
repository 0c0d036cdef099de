#include "views/tanklitresfield.h"

#include "engine/basesensor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>

TankLitresField::TankLitresField(BaseSensor* sensor, QWidget* parent)
    : QWidget(parent)
    , m_sensor(sensor)
    , m_value(new QLabel(this))
{
    setObjectName(QStringLiteral("tankLitresField"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Litres"), this));
    layout->addWidget(m_value, 1);
    m_value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(sensor, &BaseSensor::reported, this, &TankLitresField::slotUpdate);
    connect(sensor, &BaseSensor::tankTableChanged, this, &TankLitresField::slotUpdate);
    slotUpdate();
}

QString TankLitresField::text() const
{
    return m_value->text();
}

// Outside the table the litres are those of its nearest end, which the tank
// may well hold more or less than: said, and shown in another colour.
void TankLitresField::slotUpdate()
{
    const TankTable* table = m_sensor ? m_sensor->tankTable() : nullptr;
    setVisible(table != nullptr);
    if (!table)
        return;
    const SensorReading& reading = m_sensor->lastReading();
    // Without a reply the last litres stay, as the level beside them does.
    if (reading.failed()) {
        if (reading.answered())
            m_value->clear();
        return;
    }
    const TankVolume volume = table->volumeAt(reading.rawLevel);
    const QString litres = QLocale().toString(volume.litres, 'f', 1);
    m_value->setText(volume.outOfRange ? tr("%1 L (out of range)").arg(litres)
                                       : tr("%1 L").arg(litres));
    m_value->setStyleSheet(volume.outOfRange ? QStringLiteral("color: #a05a00;") : QString());
    m_value->setToolTip(volume.outOfRange ? tr("The level lies outside the tank table: the "
                                               "litres are those of its nearest row")
                                          : QString());
}
