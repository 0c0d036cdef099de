#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// Standard input as lines, read as they come without blocking the event loop,
// so a person or a script can answer while the line is polled. Its end is
// reported once.
class StdinLines : public QObject
{
    Q_OBJECT
public:
    explicit StdinLines(QObject* parent = nullptr);
    // First thing in main: with standard input closed (`<&-`), the next file
    // opened (the event loop's own, or the serial port) would become descriptor
    // 0 and be read as answers. /dev/null there reads as the end of input.
    static void holdClosedInput();

signals:
    void lineRead(const QString& line);
    void ended();

private:
    void readAvailable();
    void end();

    QSocketNotifier* m_notifier;
    QByteArray m_pending;
};
