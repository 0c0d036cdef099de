#include "fleetoptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const char kStored[] = "stored";

QList<QCommandLineOption> detailOptions()
{
    return {{"prefix", "The fleet's topic prefix (the stored one unless told).", "PREFIX"},
            {"user",
             "The user name on the broker (the stored one unless told); the password "
             "comes from NIVELON_FLEET_PASSWORD or the stored one.",
             "NAME"},
            {"ca-file", "mqtts: the CA the broker's certificate must come from.", "FILE"}};
}

} // namespace

QList<QCommandLineOption> FleetOptions::publishOptions(bool tare)
{
    QList<QCommandLineOption> options{
        {"publish",
         "Also send to the fleet's MQTT broker at URL (mqtt://HOST[:PORT] or mqtts://...), or at "
         "the server stored by the window with \"stored\". What cannot be sent now waits in the "
         "outbox.",
         "URL"}};
    if (tare)
        options << QCommandLineOption(
            "tank-model",
            "The tank model the table goes into the fleet library under (the "
            "name of --out unless told).",
            "NAME");
    return options + detailOptions();
}

QList<QCommandLineOption> FleetOptions::serverOptions()
{
    return QList<QCommandLineOption>{
               {"server", "The fleet's MQTT broker (the stored server unless told).", "URL"}} +
           detailOptions();
}

bool FleetOptions::readPublish(const QCommandLineParser& parser, QString* error)
{
    publish = parser.isSet("publish");
    if (!publish)
        return true;
    const QString url = parser.value("publish");
    // Only tare defines --tank-model; asking the parser of another command for it
    // would print a warning.
    tankModel = parser.optionNames().contains(QLatin1String("tank-model"))
                    ? parser.value("tank-model")
                    : QString();
    return readDetails(parser, url == QLatin1String(kStored) ? QString() : url, true, error);
}

bool FleetOptions::readServer(const QCommandLineParser& parser, bool required, QString* error)
{
    return readDetails(parser, parser.value("server"), required, error);
}

bool FleetOptions::readDetails(const QCommandLineParser& parser, const QString& url, bool required,
                               QString* error)
{
    server = FleetServer::stored();
    if (!url.isEmpty())
        server.url = url;
    if (parser.isSet("prefix"))
        server.prefix = parser.value("prefix");
    if (parser.isSet("user"))
        server.user = parser.value("user");
    if (parser.isSet("ca-file"))
        server.caFile = QFileInfo(parser.value("ca-file")).absoluteFilePath();
    if (qEnvironmentVariableIsSet("NIVELON_FLEET_PASSWORD"))
        server.password = qEnvironmentVariable("NIVELON_FLEET_PASSWORD");
    if (server.url.isEmpty()) {
        if (required)
            *error = QStringLiteral("no fleet server: give its URL, or store one in the window's "
                                    "Settings → Fleet server");
        return !required;
    }
    QString host;
    int port = 0;
    bool tls = false;
    return server.parse(&host, &port, &tls, error);
}
