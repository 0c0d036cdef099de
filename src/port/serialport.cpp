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
