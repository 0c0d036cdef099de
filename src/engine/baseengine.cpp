#include "engine/baseengine.h"

BaseEngine::BaseEngine(quint32 features, QObject* parent)
    : QObject(parent)
    , m_features(features)
{}

EngineCommand BaseEngine::createAddressChangeRequest(BaseSensor*, unsigned short)
{
    return EngineCommand();
}

void BaseEngine::setAutoDetectSensorsEnabled(bool enabled)
{
    m_autoDetectSensorsEnabled = enabled;
}
