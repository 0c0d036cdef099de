#include "support/logcapture.h"

#include "session/protocoltable.h"

#include <QMetaEnum>

LogCapture::LogCapture(bool diagnostic)
    : m_logger(std::make_unique<Logger>())
{
    // A test binary has no "-g" on its command line.
    if (diagnostic)
        m_logger->registerEverySection(ProtocolTable::logSections());
    connect(m_logger.get(), qOverload<int, QDateTime, QString>(&Logger::newMessage), this,
            [this](int section, const QDateTime&, const QString& text) {
                lines.append(m_logger->sectionName(section) + QStringLiteral(": ") + text);
            });
}

LogCapture::~LogCapture() = default;

QStringList LogCapture::linesOf(Logger::Sections section) const
{
    const QString prefix =
        QString::fromLatin1(QMetaEnum::fromType<Logger::Sections>().valueToKey(section)) +
        QStringLiteral(": ");
    QStringList found;
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            found.append(line.mid(prefix.size()));
    }
    return found;
}

bool LogCapture::contains(const QString& fragment) const
{
    for (const QString& line : lines) {
        if (line.contains(fragment))
            return true;
    }
    return false;
}
