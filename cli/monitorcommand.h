#pragma once

#include "clicommand.h"
#include "engine/readingcsv.h"
#include "monitor/linecapture.h"
#include "monitor/linemonitor.h"
#include "port/hardwareserialport.h"

#include <QTimer>
#include <optional>

// nivelon-cli monitor: listens to a line another master drives, never writing
// to it, and prints every exchange it decodes, then the figures of each
// address, also when a stop signal ends it. It can keep every byte heard, and
// decode such a kept session instead of a port.
class MonitorCommand : public CliCommand
{
    Q_OBJECT
public:
    MonitorCommand(const CliOptions& options, CliOutput* output);
    void start() override;
    void interrupt(int signalNumber) override;
    void lineFailed(const QString& reason) override;

private:
    void replay();
    void listen();
    void protocolFound(quint32 busType);
    void printExchange(const MonitorExchange& exchange);
    void stop(ExitCode code, const QString& error = QString());
    void printSummary();
    void printAddress(const AddressFigures& figures);
    bool keepCapture(QString* error);
    QString protocolName() const;
    QString source() const;

    LineMonitor m_monitor;
    HardwareSerialPort m_port;
    QTimer m_stopTimer;
    LineCapture m_capture;
    std::optional<ReadingCsv> m_csv; // from the first exchange, once the protocol is known
    bool m_running = false;
    int m_exchanges = 0;
};
