#include "fleet/fleetpayloads.h"

#include "record/commissioningrecord.h"
#include "tank/tanktable.h"
#include "tank/tanktablefile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonDocument>
#include <QUuid>

namespace {

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString now()
{
    return CommissioningRecord::timeText(QDateTime::currentDateTime());
}

} // namespace

QList<FleetMessage> FleetPayloads::record(const FleetServer& server, const QJsonObject& record)
{
    const QString client = server.effectiveClientName();
    // The id goes with the record through every retry, so that a subscriber
    // can tell a record sent again from a new one.
    const QByteArray payload = compact({{"id", QUuid::createUuid().toString(QUuid::WithoutBraces)},
                                        {"client", client},
                                        {"record", record}});
    QList<FleetMessage> messages{{QString(), server.topic({"records", client}), payload, false}};
    const QString vehicle = record.value("vehicle").toString();
    if (!vehicle.trimmed().isEmpty())
        messages << FleetMessage{QString(), server.topic({"vehicles", vehicle, "record"}), payload,
                                 true};
    return messages;
}

FleetMessage FleetPayloads::tankTable(const FleetServer& server, const QString& model,
                                      const TankTable& table)
{
    const QJsonObject object{{"model", model},
                             {"client", server.effectiveClientName()},
                             {"time", now()},
                             {"csv", QString::fromUtf8(TankTableFile::toCsv(table))}};
    return {QString(), server.topic({"tanks", model}), compact(object), true};
}

FleetMessage FleetPayloads::reading(const FleetServer& server, const QString& port, int address,
                                    const QJsonObject& reading)
{
    return {QString(),
            server.topic({"live", server.effectiveClientName(), QFileInfo(port).fileName(),
                          QString::number(address)}),
            compact(reading), false};
}

QString FleetPayloads::tankModelOf(const FleetServer& server, const QString& topic)
{
    const QString head = server.topic({"tanks"}) + '/';
    if (!topic.startsWith(head) || topic.indexOf('/', head.size()) >= 0)
        return QString();
    return topic.mid(head.size());
}

bool FleetPayloads::tableOf(const QByteArray& payload, TankTable* table, QString* error)
{
    const QJsonObject object = QJsonDocument::fromJson(payload).object();
    if (!object.value("csv").isString()) {
        *error = QStringLiteral("the library entry holds no tank table");
        return false;
    }
    return TankTableFile::fromCsv(object.value("csv").toString().toUtf8(), table, error);
}

QString FleetPayloads::libraryPattern(const FleetServer& server)
{
    return server.topic({"tanks"}) + QStringLiteral("/+");
}

QString FleetPayloads::recordsPattern(const FleetServer& server)
{
    return server.topic({"records"}) + QStringLiteral("/#");
}
