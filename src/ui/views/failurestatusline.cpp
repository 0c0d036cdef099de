#include "views/failurestatusline.h"

#include "log/sensorevents.h"

FailureStatusLine::FailureStatusLine(QWidget* parent)
    : QLabel(parent)
{
    setWordWrap(true);
    hide();
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(ShowMilliseconds);
    connect(&m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
}

void FailureStatusLine::report(int address, const QString& text)
{
    display(text, QStringLiteral("color: red;"));
    SensorEvents::record(address, text);
}

void FailureStatusLine::reportResult(int address, const QString& what,
                                     CommandCallback::Result result)
{
    report(address, result == CommandCallback::Nack
                        ? tr("%1 refused").arg(what)
                        : tr("%1: %2").arg(what, callbackResultToString(result)));
}

void FailureStatusLine::inform(const QString& text)
{
    display(text, QString());
}

void FailureStatusLine::display(const QString& text, const QString& styleSheet)
{
    setStyleSheet(styleSheet);
    setText(text);
    show();
    m_hideTimer.start();
}
