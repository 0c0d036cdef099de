#pragma once

#include "fleet/fleetmessage.h"

#include <QList>
#include <QString>

// The messages the broker has not acknowledged yet, one file each in a folder,
// so that a quit or a kill while offline loses none. Each file is written whole
// or not at all; its name orders it after every message queued before it, also
// across processes sharing the folder.
class FleetOutbox
{
public:
    explicit FleetOutbox(const QString& folder = defaultFolder());

    // Stores the message and gives it its name; false with the reason when it
    // could not be stored.
    bool add(FleetMessage* message, QString* error);
    // Every waiting message, oldest first. A file that is not a message (written
    // by something else) is moved aside as NAME.bad and named in *damaged.
    QList<FleetMessage> waiting(QStringList* damaged = nullptr) const;
    int count() const;
    // The broker has it: the file goes. Gone already is fine (another process
    // sharing the outbox sent it).
    bool remove(const QString& name, QString* error);
    QString folder() const { return m_folder; }

    static QString defaultFolder();

private:
    QStringList names() const;

    QString m_folder;
};
