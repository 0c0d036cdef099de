// nivelon-fleetshots OUTDIR: the fleet's dialogs as a user sees them, for
// scripts/screenshot-fleet.sh. Shows the fleet server settings (after a
// connection test) and the fleet's tank library on the display, each with the
// stored server, and grabs them from the screen into OUTDIR.
#include "fleet/fleetlibrarydialog.h"
#include "fleet/fleetserverdialog.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <cstdio>
#include <functional>

namespace {

const int kWaitMs = 15000;

void waitFor(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(kWaitMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    // Painted and on the screen.
    QDeadlineTimer settle(500);
    while (!settle.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool grab(QWidget* window, const QString& path)
{
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(window->winId()).save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    const QString folder = app.arguments().value(1, QStringLiteral("."));

    FleetServerDialog settings;
    settings.show();
    settings.findChild<QPushButton*>(QStringLiteral("testButton"))->click();
    waitFor([&] { return settings.findChild<QPushButton*>("testButton")->isEnabled(); });
    const bool first = grab(&settings, folder + QStringLiteral("/screenshot-fleet-settings.png"));
    settings.hide();

    FleetLibraryDialog library(FleetServer::stored());
    library.show();
    auto* list = library.findChild<QTreeWidget*>(QStringLiteral("libraryList"));
    waitFor([&] { return list->topLevelItemCount() > 0; });
    const bool second = grab(&library, folder + QStringLiteral("/screenshot-fleet-library.png"));
    return first && second ? 0 : 1;
}
