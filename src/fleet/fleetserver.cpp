#include "fleet/fleetserver.h"

#include "files/wholefile.h"
#include "settings/settingskeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>
#include <QUrl>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int kMqttPort = 1883;
const int kMqttsPort = 8883;
// A password longer than this is no password but a mistake.
const qint64 kLongestPassword = 4096;

// Made (or narrowed) to the user alone before the password goes in, so it is
// never readable by others, not even for a moment.
bool makePrivate(const QString& path, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0 || ::fchmod(descriptor, 0600) != 0) {
        *error = WholeFile::writeFailure(path, qt_error_string(errno));
        if (descriptor >= 0)
            ::close(descriptor);
        return false;
    }
    ::close(descriptor);
    return true;
}

} // namespace

bool FleetServer::parse(QString* host, int* port, bool* tls, QString* error) const
{
    const QUrl parsed(url.trimmed(), QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    if (!parsed.isValid() || parsed.host().isEmpty() ||
        (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts"))) {
        *error = QStringLiteral("\"%1\" is not a broker's address: give mqtt://HOST[:PORT] or "
                                "mqtts://HOST[:PORT]")
                     .arg(url);
        return false;
    }
    *tls = scheme == QLatin1String("mqtts");
    *host = parsed.host();
    *port = parsed.port(*tls ? kMqttsPort : kMqttPort);
    if (*tls && !caFile.isEmpty() && !QFile::exists(caFile)) {
        *error = QStringLiteral("the CA file %1 does not exist").arg(caFile);
        return false;
    }
    return true;
}

QString FleetServer::topicSafe(const QString& part)
{
    QString safe = part.trimmed();
    for (QChar& character : safe)
        if (character == '/' || character == '+' || character == '#' || character.isSpace() ||
            character.unicode() < 32)
            character = '_';
    return safe.isEmpty() ? QStringLiteral("_") : safe;
}

QString FleetServer::topic(const QStringList& parts) const
{
    QStringList levels{prefix.isEmpty() ? QStringLiteral("nivelon") : prefix};
    for (const QString& part : parts)
        levels << topicSafe(part);
    return levels.join('/');
}

QString FleetServer::effectiveClientName() const
{
    if (!clientName.trimmed().isEmpty())
        return clientName.trimmed();
    const QString user = qEnvironmentVariable("USER", QStringLiteral("user"));
    return QSysInfo::machineHostName() + '-' + user;
}

QString FleetServer::passwordPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/fleet-password");
}

FleetServer FleetServer::stored()
{
    QSettings settings;
    FleetServer server;
    server.url = settings.value(SettingsKeys::FleetUrl).toString();
    server.prefix = settings.value(SettingsKeys::FleetPrefix, server.prefix).toString();
    server.clientName = settings.value(SettingsKeys::FleetClientName).toString();
    server.user = settings.value(SettingsKeys::FleetUser).toString();
    server.caFile = settings.value(SettingsKeys::FleetCaFile).toString();
    server.mqttVersion = settings.value(SettingsKeys::FleetMqttVersion).toInt() == 311 ? 311 : 5;
    server.liveReadings = settings.value(SettingsKeys::FleetLiveReadings).toBool();
    QByteArray password;
    QString ignored;
    server.keepPassword = QFile::exists(passwordPath()) &&
                          WholeFile::read(passwordPath(), kLongestPassword, &password, &ignored);
    server.password = QString::fromUtf8(password);
    return server;
}

bool FleetServer::store(QString* error) const
{
    QSettings settings;
    settings.setValue(SettingsKeys::FleetUrl, url);
    settings.setValue(SettingsKeys::FleetPrefix, prefix);
    settings.setValue(SettingsKeys::FleetClientName, clientName);
    settings.setValue(SettingsKeys::FleetUser, user);
    settings.setValue(SettingsKeys::FleetCaFile, caFile);
    settings.setValue(SettingsKeys::FleetMqttVersion, mqttVersion);
    settings.setValue(SettingsKeys::FleetLiveReadings, liveReadings);
    settings.sync();
    const QString path = passwordPath();
    if (!keepPassword || password.isEmpty()) {
        if (QFile::exists(path) && !QFile::remove(path)) {
            *error = QStringLiteral("cannot remove %1").arg(path);
            return false;
        }
        return true;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = WholeFile::writeFailure(path, QStringLiteral("cannot make its folder"));
        return false;
    }
    return makePrivate(path, error) && WholeFile::write(path, password.toUtf8(), error);
}
