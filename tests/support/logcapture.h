#pragma once

#include "log/logger.h"

#include <QObject>
#include <QStringList>
#include <memory>

// A logger for tests, with every section registered as in diagnostic mode, and
// the texts it emitted, each as "<section name>: <text>".
class LogCapture : public QObject
{
    Q_OBJECT
public:
    explicit LogCapture(bool diagnostic = true);
    ~LogCapture() override;

    Logger* logger() const { return m_logger.get(); }
    QStringList lines;
    QStringList linesOf(Logger::Sections section) const;
    bool contains(const QString& fragment) const;
    void clear() { lines.clear(); }

private:
    std::unique_ptr<Logger> m_logger;
};
