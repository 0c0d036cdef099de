#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace sim {

// Rate and character frame the far side has set on the line.
struct LineSettings
{
    int baudRate = 0;          // 0 when the rate is not a standard one
    int bitsPerCharacter = 10; // start, data, parity and stop bits

    double wireMs(int bytes) const;
};

// The simulator's end of the line: the master side of a pseudo-terminal that
// the program opens as its serial port, or a real serial device wired to the
// program's adapter.
class LineEndpoint : public QObject
{
    Q_OBJECT
public:
    explicit LineEndpoint(QObject* parent = nullptr);
    ~LineEndpoint() override;

    bool openPseudoTerminal(QString* error);
    bool openDevice(const QString& path, int baudRate, QString* error);
    void close();
    // A symlink to the path at linkPath (nothing when it is empty), replacing only an old link.
    bool makeLink(const QString& linkPath, QString* error);
    void removeLink(const QString& linkPath);
    bool isOpen() const { return fd >= 0; }

    // The path the program should open.
    QString path() const { return portPath; }
    QByteArray readAll();
    bool write(const QByteArray& bytes);
    LineSettings settings() const;

signals:
    void readyRead();

private:
    bool openSlaveRaw(QString* error);
    void watch();

    int fd = -1;
    int slaveFd = -1;
    QString portPath;
    QSocketNotifier* notifier = nullptr;
};

} // namespace sim
