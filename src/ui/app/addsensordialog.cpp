#include "app/addsensordialog.h"

#include "engine/serialengine.h"
#include "log/addresstext.h"

AddSensorDialog::AddSensorDialog(SerialEngine* engine)
    : AddSensorDialog(engine, engine->addSensorPrompt())
{}

AddSensorDialog::AddSensorDialog(SerialEngine* engine, const AddSensorPrompt& prompt)
    : NumberDialog(nullptr, prompt.minimum, prompt.maximum,
                   firstFreeAddress(engine, prompt.minimum, prompt.maximum))
    , m_engine(engine)
{
    setWindowTitle(tr("Add sensor"));
    setQuestion([label = prompt.label](int address) { return AddressText::label(label, address); });
    setCheck([this](int address) { return takenBy(address); });
    connect(this, &QInputDialog::intValueSelected, engine, &SerialEngine::slotAddSensorFromDialog);
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
}

int AddSensorDialog::firstFreeAddress(const SerialEngine* engine, int minimum, int maximum)
{
    for (int address = std::max(minimum, 1); address <= maximum; ++address) {
        if (!engine->sensorByAddress(quint8(address)))
            return address;
    }
    return minimum;
}

QString AddSensorDialog::takenBy(int address) const
{
    if (!m_engine || !m_engine->sensorByAddress(quint8(address)))
        return QString();
    return tr("A sensor with address %1 is already on this line; choose another address.")
        .arg(AddressText::both(address));
}
