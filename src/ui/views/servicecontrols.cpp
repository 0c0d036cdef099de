#include "views/servicecontrols.h"

#include "settings/settingskeys.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSettings>

ServiceControls* ServiceControls::instance()
{
    static QPointer<ServiceControls> controls;
    if (!controls)
        controls = new ServiceControls(QCoreApplication::instance());
    return controls;
}

bool ServiceControls::isForced()
{
    return QCoreApplication::arguments().contains(QStringLiteral("-t"));
}

bool ServiceControls::isOn() const
{
    return isForced() ||
           QSettings()
               .value(SettingsKeys::ServiceControls, SettingsKeys::ServiceControlsDefault)
               .toBool();
}

void ServiceControls::setOn(bool on)
{
    const bool was = isOn();
    QSettings().setValue(SettingsKeys::ServiceControls, on);
    if (isOn() != was)
        emit switched(isOn());
}

QString ServiceControls::howToTurnOn()
{
    return tr("A service control: turn it on with Settings \u2192 Service controls "
              "(or start Nivelon with -t)");
}
