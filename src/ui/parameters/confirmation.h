#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace Confirmation {

// Asks question in a box over owner without blocking: no nested event loop runs
// while the sensor (and with it owner) may go. proceed runs on "Yes" only, and
// never once owner has gone, since the box goes with it. "No" is the default.
void ask(QWidget* owner, const QString& title, const QString& question,
         std::function<void()> proceed);

} // namespace Confirmation
