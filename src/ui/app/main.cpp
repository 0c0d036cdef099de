#include "app/mainwindow.h"
#include "app/resources.h"
#include "log/logger.h"
#include "port/systemportenumerator.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QTranslator>
#include <QtDebug>
#include <memory>

// Every long-lived object is an automatic object here, made in this order, so
// they go in reverse: everything that logs lives inside the logger's lifetime,
// and the enumerator outlives the port manager that the window owns.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/nivelon.png")));
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.korinta.Nivelon"));

    QTranslator appTranslator;
    QTranslator qtTranslator;
    const QString locale = QLocale().name();
    appTranslator.load(QStringLiteral("nivelon_") + locale, QStringLiteral(":/tr"));
    qtTranslator.load(QStringLiteral("qt_") + locale, QStringLiteral(":/tr"));
    qDebug("available translations: %s",
           qPrintable(QDir(QStringLiteral(":/tr")).entryList().join(QLatin1Char('\n'))));
    QApplication::installTranslator(&appTranslator);
    QApplication::installTranslator(&qtTranslator);

    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));

    Logger logger;
    SystemPortEnumerator enumerator;
    enumerator.setUpNotifications();
    globalPortEnumerator = &enumerator;

    int status = 0;
    {
        MainWindow window(&enumerator, nullptr);
        window.show();
        window.setWindowTitle(QStringLiteral("Nivelon %1").arg(QLatin1String(NIVELON_VERSION)));
        status = app.exec();
    }
    globalPortEnumerator = nullptr;
    return status;
}
