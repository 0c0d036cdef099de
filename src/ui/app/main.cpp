#include "app/commandline.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (CommandLine::printedInformation(argc, argv))
        return 0;
    QApplication app(argc, argv);
    return runNivelon(app);
}
