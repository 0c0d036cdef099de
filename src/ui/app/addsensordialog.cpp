#include "app/addsensordialog.h"

#include "engine/serialengine.h"

AddSensorDialog::AddSensorDialog(SerialEngine* engine)
{
    const AddSensorPrompt prompt = engine->addSensorPrompt();
    setWindowTitle(tr("Add sensor"));
    setInputMode(QInputDialog::IntInput);
    setLabelText(prompt.label);
    setIntRange(prompt.minimum, prompt.maximum);
    connect(this, &QInputDialog::intValueSelected, engine, &SerialEngine::slotAddSensorFromDialog);
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
}
