#include "views/disabledreason.h"

#include <QAction>
#include <QVariant>
#include <QWidget>

namespace {

const char kOwnToolTip[] = "enabledToolTip";

// The tooltip the object has while enabled, kept the first time it is disabled.
template <typename Object>
void apply(Object* object, bool enabled, const QString& why)
{
    if (!object->property(kOwnToolTip).isValid())
        object->setProperty(kOwnToolTip, object->toolTip());
    object->setEnabled(enabled);
    object->setToolTip(enabled ? object->property(kOwnToolTip).toString() : why);
}

} // namespace

namespace DisabledReason {

void setEnabled(QWidget* widget, bool enabled, const QString& why)
{
    apply(widget, enabled, why);
}

void setEnabled(QAction* action, bool enabled, const QString& why)
{
    apply(action, enabled, why);
    action->setStatusTip(enabled ? QString() : why);
}

} // namespace DisabledReason
