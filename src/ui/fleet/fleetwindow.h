#pragma once

class QMainWindow;
class QMenu;

// The fleet in the main window: Settings → Fleet server..., the link to the
// stored server, and how it stands in the status bar.
namespace FleetWindow {
void install(QMainWindow* window, QMenu* settingsMenu);
}
