#pragma once

#include <QString>

// Where the fleet's broker is and who this program is on it: what Settings →
// Fleet server edits and nivelon-cli's --publish names.
struct FleetServer
{
    QString url; // mqtt://host[:port] or mqtts://host[:port]
    QString prefix = QStringLiteral("nivelon");
    QString clientName;
    QString user;
    QString password;
    QString caFile;            // mqtts: the authority the broker's certificate must come from
    int mqttVersion = 5;       // 5 or 311 (MQTT 3.1.1)
    bool keepPassword = false; // the password is stored only when the user asks
    bool liveReadings = false; // the window publishes its open sensors' readings

    // The URL taken apart; false with the reason when it is not one.
    bool parse(QString* host, int* port, bool* tls, QString* error) const;
    // A topic under the prefix; the parts are made topic-safe.
    QString topic(const QStringList& parts) const;
    // The client name, or one made of the host and user names.
    QString effectiveClientName() const;

    // The server stored in the settings, with its password when one was kept.
    static FleetServer stored();
    // Writes the settings, and the password into a file only the user can read
    // (or removes that file when the password is not to be kept).
    bool store(QString* error) const;
    static QString passwordPath();
    // A name part without the characters MQTT gives a meaning in topics.
    static QString topicSafe(const QString& part);
};
