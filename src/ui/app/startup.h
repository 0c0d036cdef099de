#pragma once

#include <functional>

class MainWindow;
class QApplication;

// The program between its application object and the end of its event loop.
// Every long-lived object is an automatic object in here, made in this order, so
// they go in reverse: everything that logs lives inside the logger's lifetime, and
// the enumerator outlives the port manager that the window owns. A build that
// watches the program from inside (the load measurement) is handed the window
// before it shows.
int runNivelon(QApplication& app, const std::function<void(MainWindow&)>& watch = {});
