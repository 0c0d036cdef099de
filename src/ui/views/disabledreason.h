#pragma once

#include <QString>

class QAction;
class QWidget;

// A control that is off says why in its tooltip; switched on again it gets its
// own tooltip back.
namespace DisabledReason {

void setEnabled(QWidget* widget, bool enabled, const QString& why);
void setEnabled(QAction* action, bool enabled, const QString& why);

} // namespace DisabledReason
