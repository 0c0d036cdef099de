#include "log/logmessage.h"

LogMessage::LogMessage(Logger::Sections section, const QString& text)
    : m_section(section)
    , m_dateTime(QDateTime::currentDateTime())
    , m_text(text)
{}

LogMessage::LogMessage(Logger::Sections section)
    : m_section(section)
    , m_dateTime(QDateTime::currentDateTime())
{}

QString LogMessage::toString() const
{
    if (m_text.isNull())
        m_text = toStringImpl();
    return m_text;
}

QString LogMessage::toStringImpl() const
{
    return QStringLiteral("TODO");
}
