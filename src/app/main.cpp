#include "log/logger.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    Logger logger;
    return 0;
}
