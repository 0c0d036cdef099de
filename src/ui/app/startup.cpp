#include "app/startup.h"

#include "app/interfacelanguage.h"
#include "app/mainwindow.h"
#include "app/resources.h"
#include "log/logger.h"
#include "port/systemportenumerator.h"
#include "session/protocoltable.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QtDebug>

int runNivelon(QApplication& app, const std::function<void(MainWindow&)>& watch)
{
    initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/nivelon.png")));
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.korinta.Nivelon"));

    // The settings store holds the user's choice of language.
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    const InterfaceLanguage language(InterfaceLanguage::resolve(InterfaceLanguage::choice()));
    qDebug("available translations: %s",
           qPrintable(QDir(QStringLiteral(":/tr")).entryList().join(QLatin1Char('\n'))));

    Logger logger;
    ProtocolTable::registerLogSections(logger);
    SystemPortEnumerator enumerator;
    enumerator.setUpNotifications();
    globalPortEnumerator = &enumerator;

    int status = 0;
    {
        MainWindow window(&enumerator, nullptr);
        if (watch)
            watch(window);
        window.show();
        window.setWindowTitle(QStringLiteral("Nivelon %1").arg(QLatin1String(NIVELON_VERSION)));
        status = app.exec();
    }
    globalPortEnumerator = nullptr;
    return status;
}
