#include "tank/tankcalibrations.h"

#include "session/enginefactory.h"
#include "session/serialportmanager.h"
#include "tank/tankcalibrationdialog.h"
#include "views/sensorwidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QScreen>

TankCalibrations::TankCalibrations(QWidget* window, const SerialPortManager* manager)
    : QObject(window)
    , m_window(window)
    , m_manager(manager)
{
    // A quit that asked has settled every table; any other must not lose one.
    connect(qApp, &QCoreApplication::aboutToQuit, this,
            [this] { keepUnsavedRows(QStringLiteral("the program quit")); });
    connect(manager, &SerialPortManager::lineLost, this,
            [this] { keepUnsavedRows(QStringLiteral("the line was lost")); });
}

void TankCalibrations::keepUnsavedRows(const QString& reason)
{
    const auto dialogs = m_window->findChildren<TankCalibrationDialog*>();
    for (TankCalibrationDialog* dialog : dialogs)
        dialog->keepUnsavedRows(reason);
}

void TankCalibrations::addActionTo(SensorWidget* view)
{
    auto* separator = new QAction(view);
    separator->setSeparator(true);
    auto* action = new QAction(tr("Tank calibration..."), view);
    action->setObjectName(QStringLiteral("actionTankCalibration"));
    connect(action, &QAction::triggered, view, [this, view] { open(view); });
    view->addSensorAction(separator);
    view->addSensorAction(action);
}

// The dialog belongs to the view, so it goes with the sensor.
TankCalibrationDialog* TankCalibrations::open(SensorWidget* view)
{
    auto* dialog = view->findChild<TankCalibrationDialog*>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog && view->baseSensor()) {
        const QString model = EngineFactory::sensorTypes().value(m_manager->busType());
        dialog = new TankCalibrationDialog(view->baseSensor(), model, view);
        placeBesideWindow(dialog);
    }
    if (dialog) {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }
    return dialog;
}

// Right of the window where the screen has room, so the tab stays in sight;
// otherwise over the window's right edge.
void TankCalibrations::placeBesideWindow(QWidget* dialog) const
{
    dialog->adjustSize();
    const QRect frame = m_window->frameGeometry();
    const QRect screen = m_window->screen()->availableGeometry();
    int left = frame.right() + 1;
    if (left + dialog->frameGeometry().width() > screen.right())
        left = std::max(screen.left(), screen.right() - dialog->frameGeometry().width());
    dialog->move(left, std::max(screen.top(), frame.top()));
}

bool TankCalibrations::settleUnsaved(SensorWidget* view)
{
    QWidget* within = view ? static_cast<QWidget*>(view) : m_window;
    const auto dialogs = within->findChildren<TankCalibrationDialog*>();
    for (TankCalibrationDialog* dialog : dialogs) {
        if (!dialog->settleUnsaved(m_window))
            return false;
    }
    return true;
}
