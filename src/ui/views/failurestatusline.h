#pragma once

#include "engine/commandcallback.h"

#include <QLabel>
#include <QTimer>

// A line under a sensor view's plot that tells, for a few seconds, which command
// of the sensor failed and how; the status tab keeps it. It also tells, in the
// usual colour, how a task of several commands ended well. Hidden while there
// is nothing to tell.
class FailureStatusLine : public QLabel
{
    Q_OBJECT
public:
    static constexpr int ShowMilliseconds = 5000;

    explicit FailureStatusLine(QWidget* parent = nullptr);

    // Shows text and records it among the events of the sensor at address.
    void report(int address, const QString& text);
    // "<what> refused" for a refusal, "<what>: <result>" for any other failure.
    void reportResult(int address, const QString& what, CommandCallback::Result result);
    // Shows text, which is no failure.
    void inform(const QString& text);

private:
    void display(const QString& text, const QString& styleSheet);

    QTimer m_hideTimer;
};
