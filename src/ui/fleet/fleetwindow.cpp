#include "fleet/fleetwindow.h"

#include "fleet/fleetlink.h"
#include "fleet/fleetserverdialog.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace FleetWindow {

void install(QMainWindow* window, QMenu* settingsMenu)
{
    auto* link = new FleetLink(window);
    auto* label = new QLabel(window);
    label->setObjectName(QStringLiteral("fleetStatusLabel"));
    window->statusBar()->addPermanentWidget(label);
    const auto show = [label](const QString& text, const QString& detail) {
        label->setText(text);
        label->setToolTip(detail);
        label->setVisible(!text.isEmpty());
    };
    QObject::connect(link, &FleetLink::statusChanged, label, show);
    show(link->statusText(), QString());
    QAction* action = settingsMenu->addAction(FleetServerDialog::tr("Fleet server..."));
    action->setObjectName(QStringLiteral("actionFleetServer"));
    QObject::connect(action, &QAction::triggered, window, [window, link] {
        FleetServerDialog dialog(window);
        if (dialog.exec() == QDialog::Accepted)
            link->reload();
    });
}

} // namespace FleetWindow
