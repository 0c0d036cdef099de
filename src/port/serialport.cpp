#include "port/serialport.h"

SerialPort::SerialPort(QObject* parent)
    : QObject(parent)
{}

void SerialPort::setBaudRate(BaudRateType rate)
{
    m_settings.BaudRate = rate;
    applySettings();
}

void SerialPort::setDataBits(DataBitsType bits)
{
    m_settings.DataBits = bits;
    applySettings();
}

void SerialPort::setParity(ParityType parity)
{
    m_settings.Parity = parity;
    applySettings();
}

void SerialPort::setStopBits(StopBitsType bits)
{
    m_settings.StopBits = bits;
    applySettings();
}

void SerialPort::setFlowControl(FlowType flow)
{
    m_settings.FlowControl = flow;
    applySettings();
}

void SerialPort::setTimeout(int milliseconds)
{
    m_settings.Timeout_Millisec = milliseconds;
    applySettings();
}

QString SerialPort::explained(int error, const QString& text)
{
    switch (error) {
    case PermissionError:
        return tr("%1; add your user to the dialout group (sudo usermod -aG dialout $USER), "
                  "then log in again")
            .arg(text);
    case InUseError:
        return tr("%1; close that program first").arg(text);
    default:
        return text;
    }
}

QString SerialPort::lossText() const
{
    const int error = lastError();
    if (error == DeviceRemovedError || error == NotFoundError)
        return unpluggedText();
    const QString text = errorString();
    // The library's text for an error it could not name.
    const bool unnamed = text.isEmpty() || text == QLatin1String("Unknown error");
    return unnamed ? tr("the device stopped answering")
                   : tr("the device stopped answering: %1").arg(text);
}

QString SerialPort::unpluggedText()
{
    return tr("the adapter was unplugged");
}
