#include "app/addsensordialog.h"

#include "engine/serialengine.h"
#include "log/addresstext.h"

AddSensorDialog::AddSensorDialog(SerialEngine* engine)
{
    const AddSensorPrompt prompt = engine->addSensorPrompt();
    setWindowTitle(tr("Add sensor"));
    setInputMode(QInputDialog::IntInput);
    setIntRange(prompt.minimum, prompt.maximum);
    setLabelText(AddressText::label(prompt.label, intValue()));
    connect(this, &QInputDialog::intValueChanged, this, [this, label = prompt.label](int value) {
        setLabelText(AddressText::label(label, value));
    });
    connect(this, &QInputDialog::intValueSelected, engine, &SerialEngine::slotAddSensorFromDialog);
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
}
