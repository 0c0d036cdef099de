#pragma once

#include "port/serialportinfo.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

class PortScout;

// The scouts of one search: they sweep the ports ahead of the manager's line, a
// few at a time, and remember which ports turned out silent in this round, so
// that the line skips them. Once every port was swept, the search goes on with
// the line alone.
class PortScouts : public QObject
{
    Q_OBJECT
public:
    // Makes a scout of the searched model, or null when there is none.
    using Factory = std::function<PortScout*()>;

    explicit PortScouts(Factory makeScout, QObject* parent = nullptr);
    ~PortScouts() override;

    // Whether a scout finished or a round began since the last scoutAhead: only
    // then can there be a port to send one to.
    bool wantsMore() const { return m_wantsMore; }
    // Sends scouts to the ports after the line's in the order that were not
    // swept in this round, up to the limit.
    void scoutAhead(const QList<SerialPortInfo>& ordered, const QString& linePort);
    // Frees a port for the line: the scout on it stops.
    void release(const QString& port);
    void markSwept(const QString& port);
    const QStringList& swept() const { return m_swept; }
    // Stops every scout and begins a new round, in which every port is worth a sweep.
    void restart();

signals:
    // Something answered on the port; the sensors found there, if any.
    void answered(const QString& port, const QList<int>& found);

private:
    bool isScouted(const QString& port) const;
    void slotScoutFinished(const QString& port, bool answered, const QList<int>& found);
    void stopAll();

    Factory m_makeScout;
    QList<PortScout*> m_scouts;
    QStringList m_swept;
    bool m_wantsMore = true;
};
