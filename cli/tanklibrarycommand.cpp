#include "tanklibrarycommand.h"

#include "fleet/fleetlibraryfetch.h"
#include "fleet/fleetpayloads.h"
#include "fleetdelivery.h"
#include "tank/tanktablefile.h"

#include <QJsonDocument>
#include <QJsonObject>

TankLibraryCommand::TankLibraryCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{}

void TankLibraryCommand::start()
{
    const QString action = m_options.values.value(0);
    const int count = m_options.values.size();
    if (action == QLatin1String("list") && count == 1)
        fetch();
    else if (action == QLatin1String("get") && count == 3)
        fetch();
    else if (action == QLatin1String("put") && count == 3)
        put();
    else
        finish(ExitBadArguments,
               QStringLiteral("say list, get MODEL FILE or put FILE MODEL, not \"%1\"")
                   .arg(m_options.values.join(' ')));
}

void TankLibraryCommand::put()
{
    const QString path = m_options.values.at(1);
    const QString model = m_options.values.at(2).trimmed();
    TankTable table;
    QString error;
    if (model.isEmpty() || !TankTableFile::load(path, &table, &error)) {
        finish(ExitBadArguments,
               model.isEmpty() ? QStringLiteral("the tank model name is empty") : error);
        return;
    }
    m_delivery = new FleetDelivery(m_options.fleet.server, m_output, this);
    connect(m_delivery, &FleetDelivery::done, this, [this](bool delivered) {
        finish(delivered ? ExitDone : ExitPortFailure, m_delivery->failureText());
    });
    if (!m_delivery->send({FleetPayloads::tankTable(m_options.fleet.server, model, table)}, &error))
        finish(ExitPortFailure, error);
}

void TankLibraryCommand::fetch()
{
    m_fetch = new FleetLibraryFetch(m_options.fleet.server, this);
    connect(m_fetch, &FleetLibraryFetch::fetched, this, &TankLibraryCommand::fetched);
    connect(m_fetch, &FleetLibraryFetch::failed, this,
            [this](const QString& text) { finish(ExitPortFailure, text); });
    m_fetch->start();
}

void TankLibraryCommand::fetched()
{
    if (m_options.values.first() == QLatin1String("list"))
        list();
    else
        get(m_options.values.at(1), m_options.values.at(2));
}

void TankLibraryCommand::list()
{
    for (auto entry = m_fetch->library().cbegin(); entry != m_fetch->library().cend(); ++entry) {
        const QJsonObject object = QJsonDocument::fromJson(entry.value()).object();
        TankTable table;
        QString error;
        const bool valid = FleetPayloads::tableOf(entry.value(), &table, &error);
        const QString client = object.value("client").toString();
        const QString time = object.value("time").toString();
        m_output->text(valid ? QStringLiteral("%1  %2 rows, %3, %4")
                                   .arg(entry.key())
                                   .arg(table.rowCount())
                                   .arg(client, time)
                             : QStringLiteral("%1  unreadable: %2").arg(entry.key(), error));
        m_output->json({{"type", "tank model"},
                        {"tankModel", entry.key()},
                        {"rows", valid ? QJsonValue(table.rowCount()) : QJsonValue()},
                        {"client", client},
                        {"published", time}});
    }
    if (m_fetch->library().isEmpty())
        m_output->text(QStringLiteral("the fleet library holds no tank table yet"));
    finish(ExitDone);
}

void TankLibraryCommand::get(const QString& model, const QString& path)
{
    if (!m_fetch->library().contains(model)) {
        finish(ExitNothingAnswered,
               QStringLiteral("the fleet library has no tank model \"%1\": nivelon-cli "
                              "tank-library list names those it has")
                   .arg(model));
        return;
    }
    TankTable table;
    QString error;
    if (!FleetPayloads::tableOf(m_fetch->library().value(model), &table, &error)) {
        finish(ExitNothingAnswered,
               QStringLiteral("the library's %1 is no tank table: %2").arg(model, error));
        return;
    }
    if (!TankTableFile::save(table, path, &error)) {
        finish(ExitPortFailure, error);
        return;
    }
    m_output->text(QStringLiteral("tank model %1 (%2 rows) written to %3")
                       .arg(model)
                       .arg(table.rowCount())
                       .arg(path));
    m_output->json(
        {{"type", "table"}, {"tankModel", model}, {"file", path}, {"rows", table.rowCount()}});
    finish(ExitDone);
}
