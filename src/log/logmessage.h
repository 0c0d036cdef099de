#pragma once

#include "log/logger.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

// A structured log record. It lives on the sender's stack for the length of one
// Logger::message() call; receivers copy what they keep. The display text is
// computed on first use and cached, so every receiver of one record shares it.
class LogMessage
{
public:
    LogMessage(Logger::Sections section, const QString& text);
    explicit LogMessage(Logger::Sections section = Logger::PortStatus);
    // Virtual because the meta-type system copies and destroys records by value.
    virtual ~LogMessage() = default;
    LogMessage(const LogMessage&) = default;
    LogMessage& operator=(const LogMessage&) = default;

    Logger::Sections section() const { return m_section; }
    const QDateTime& dateTime() const { return m_dateTime; }
    QString toString() const;

protected:
    virtual QString toStringImpl() const;

private:
    Logger::Sections m_section;
    QDateTime m_dateTime;
    mutable QString m_text;
};

Q_DECLARE_METATYPE(LogMessage)
