#pragma once

#include "monitor/addressfigures.h"
#include "monitor/exchangepairing.h"
#include "monitor/monitorexchange.h"
#include "tank/tanktable.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class PassiveDecoder;
class SerialPort;

// Listens to a line another master drives, and never writes a byte to it. It
// decodes what it hears into exchanges and keeps figures per address. Given a
// port, it reads it; otherwise it is fed bytes with their arrival times (a kept
// session, a test). Without a protocol, it hunts: on a port it listens at each
// protocol's line settings in turn, fed it tries them all at once, and it
// settles on the one whose frames check out.
class LineMonitor : public QObject
{
    Q_OBJECT
public:
    static constexpr quint32 AnyBus = 0;
    // How long one protocol is listened to while hunting on a port.
    static constexpr int HuntPhaseMs = 1200;
    // Exchanges whose checks hold that settle the hunt.
    static constexpr int HuntEvidence = 2;
    static constexpr int SettleIntervalMs = 50;

    explicit LineMonitor(QObject* parent = nullptr);
    ~LineMonitor() override;

    // Where arrival times come from; the system clock unless a test sets another.
    void setClock(std::function<qint64()> clock);
    // The protocol to decode, or AnyBus to hunt. Forgets everything heard so far.
    void setBusType(quint32 busType);
    // Listens on the port, opening it (again, at each protocol's settings while
    // hunting). The port is the caller's and is never written to; false, with
    // portError() set, when it cannot be opened.
    bool start(SerialPort* port);
    // Decides what is still open (a request still waiting counts as a time-out
    // once its reply is overdue) and stops reading the port.
    void finish();

    // Bytes as they arrived, without a port.
    void feed(const QByteArray& bytes, qint64 timeMs);
    // What waited for more bytes is decided once the line has been quiet.
    void settle(qint64 nowMs);
    // As finish(), at a time of the caller's.
    void finishAt(qint64 nowMs);

    // The protocol decoded, AnyBus while hunting.
    quint32 busType() const { return m_busType; }
    // The protocol being listened at while hunting on a port.
    quint32 huntingBusType() const;
    QString portError() const { return m_portError; }
    const QMap<int, AddressFigures>& figures() const { return m_figures; }
    qint64 rejectedBytes() const;
    int rejectedRuns() const;
    // Readings of the address get their litres from the table.
    void setTankTable(int address, const TankTable& table);

signals:
    void exchangeDecoded(const MonitorExchange& exchange);
    void figuresChanged(int address);
    void protocolFound(quint32 busType);
    // Every byte read, as it came: what a kept session holds.
    void bytesArrived(const QByteArray& bytes, qint64 timeMs);
    // The port was opened at the line settings of the protocol.
    void listening(quint32 busType);
    // Reading the port failed, or opening it again at the next protocol's
    // settings; listening has stopped.
    void portFailed(const QString& reason);

public slots:
    void slotReadyRead();
    void slotHuntStep();
    void slotSettle();

private:
    struct Candidate
    {
        quint32 busType;
        std::unique_ptr<PassiveDecoder> decoder;
        ExchangePairing pairing;
        QVector<MonitorExchange> heard; // while hunting, until the protocol is known
        int evidence = 0;
    };

    void buildCandidates(quint32 busType);
    bool listenAt(int candidate);
    void decodeWith(Candidate& candidate);
    void take(Candidate& candidate, const QVector<MonitorExchange>& exchanges);
    void settleOn(Candidate& candidate);
    void publish(const MonitorExchange& exchange);
    bool fedCandidate(int index) const;

    std::function<qint64()> m_clock;
    quint32 m_busType = AnyBus;
    std::vector<std::unique_ptr<Candidate>> m_candidates;
    int m_huntIndex = 0;
    bool m_huntExtended = false;
    QPointer<SerialPort> m_port;
    QString m_portError;
    QTimer m_huntTimer;
    QTimer m_settleTimer;
    QMap<int, AddressFigures> m_figures;
    // Kept between chunks for their room.
    QVector<PassiveFrame> m_frames;
    QVector<MonitorExchange> m_exchanges;
    QHash<int, TankTable> m_tankTables;
};
