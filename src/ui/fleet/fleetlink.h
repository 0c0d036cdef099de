#pragma once

#include "fleet/fleetlivefeed.h"
#include "fleet/fleetoutbox.h"

#include <QObject>
#include <memory>
#include <optional>

class BaseSensor;
class FleetClient;
class TankTable;
struct CommissioningRecord;

// The window's link to the fleet's broker, on the stored server: records and
// tank tables go out through the outbox, the open sensors' readings live when
// the user switched that on, and the status bar hears how it stands. One per
// window; the record and tank dialogs find it through current().
class FleetLink : public QObject
{
    Q_OBJECT
public:
    explicit FleetLink(QObject* parent = nullptr);
    ~FleetLink() override;

    // The window's link, or null when there is no window.
    static FleetLink* current();

    // Starts over on the stored server; without one, nothing is sent and
    // nothing shown.
    void reload();
    bool isConfigured() const { return m_client != nullptr; }
    FleetClient* client() const { return m_client.get(); }

    // Queued; false with the reason when the outbox could not take it.
    bool publishRecord(const CommissioningRecord& record, QString* error);
    bool publishTankTable(const QString& model, const TankTable& table, QString* error);

    // The sensor's readings go out live, as long as it lives, whenever the
    // stored server asks for live readings.
    void watch(BaseSensor* sensor, const QString& port);
    bool isPublishingLive() const { return m_liveFeed.has_value(); }

    // "fleet: connected", "fleet: 3 waiting"; empty without a server.
    QString statusText() const;

signals:
    // The status bar's text and, for its tool tip, the connection's own words.
    void statusChanged(const QString& text, const QString& detail);

private:
    void announce();

    FleetOutbox m_outbox;
    std::unique_ptr<FleetClient> m_client;
    std::optional<FleetLiveFeed> m_liveFeed; // on m_client
};
