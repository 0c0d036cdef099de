#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class BaseSensor;
class OmniCommSensor;

// Parameter index and the value to give it.
using ConfigurationValues = QList<QPair<int, qint64>>;

// The configuration parameters of an Omnicomm sensor by the names that
// nivelon-cli and profile files use: fixed, untranslated, one word each.
class ConfigurationParameters
{
    Q_DECLARE_TR_FUNCTIONS(ConfigurationParameters)

public:
    // Every parameter a configuration write can reach, in index order.
    static QList<int> indexes();
    static QString name(int index);
    // The index of a name in any case; -1 for none.
    static int indexOf(const QString& name);
    // The parameters the sensor's configuration reply carries, so a read can
    // confirm them; the others the sensor keeps unseen.
    static QList<int> reported(const OmniCommSensor* sensor);
    // What a commissioning record keeps of a sensor's configuration: each
    // reported parameter by name (null while unread) and its mode; nothing for a
    // sensor without configuration profiles.
    static QList<QPair<QString, QVariant>> recorded(const BaseSensor& sensor);
    // The whole number text stands for, when the parameter can take it; false
    // with what is wrong otherwise.
    static bool readValue(const OmniCommSensor* sensor, int index, const QString& text,
                          qint64* value, QString* error);
};
