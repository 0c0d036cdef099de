#include "fleet/fleetoutbox.h"

#include "files/wholefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace {

const QString kSuffix = QStringLiteral(".json");
// Records carry their tank table; anything far beyond that is not a message.
const qint64 kLargestMessage = 16 * 1024 * 1024;

QByteArray encode(const FleetMessage& message)
{
    const QJsonObject object{{"topic", message.topic},
                             {"retain", message.retain},
                             {"payload", QString::fromUtf8(message.payload)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool decode(const QByteArray& content, FleetMessage* message)
{
    const QJsonObject object = QJsonDocument::fromJson(content).object();
    message->topic = object.value("topic").toString();
    message->retain = object.value("retain").toBool();
    message->payload = object.value("payload").toString().toUtf8();
    return !message->topic.isEmpty() && object.value("payload").isString();
}

// Milliseconds, then the process and a counter: two messages of one process in
// one millisecond keep their order, and two processes never take one name.
QString newName()
{
    static int counter = 0;
    return QStringLiteral("%1-%2-%3")
        .arg(QDateTime::currentMSecsSinceEpoch(), 14, 10, QLatin1Char('0'))
        .arg(QCoreApplication::applicationPid(), 8, 10, QLatin1Char('0'))
        .arg(++counter, 8, 10, QLatin1Char('0'));
}

} // namespace

FleetOutbox::FleetOutbox(const QString& folder)
    : m_folder(folder)
{}

QString FleetOutbox::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/outbox");
}

bool FleetOutbox::add(FleetMessage* message, QString* error)
{
    if (!QDir().mkpath(m_folder)) {
        *error = WholeFile::writeFailure(m_folder, QStringLiteral("cannot make the folder"));
        return false;
    }
    message->name = newName();
    return WholeFile::write(m_folder + '/' + message->name + kSuffix, encode(*message), error);
}

QStringList FleetOutbox::names() const
{
    QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    for (QString& name : names)
        name.chop(kSuffix.size());
    return names;
}

QList<FleetMessage> FleetOutbox::waiting(QStringList* damaged) const
{
    QList<FleetMessage> messages;
    for (const QString& name : names()) {
        const QString path = m_folder + '/' + name + kSuffix;
        QByteArray content;
        QString error;
        FleetMessage message;
        message.name = name;
        if (WholeFile::read(path, kLargestMessage, &content, &error) && decode(content, &message)) {
            messages << message;
            continue;
        }
        // Gone between the listing and the reading: another process sent it.
        if (!QFile::exists(path))
            continue;
        QFile::rename(path, path + QStringLiteral(".bad"));
        if (damaged)
            *damaged << path;
    }
    return messages;
}

int FleetOutbox::count() const
{
    return names().size();
}

bool FleetOutbox::remove(const QString& name, QString* error)
{
    QFile file(m_folder + '/' + name + kSuffix);
    if (!file.exists() || file.remove())
        return true;
    *error = QStringLiteral("cannot remove %1 from the outbox: %2")
                 .arg(file.fileName(), file.errorString());
    return false;
}
