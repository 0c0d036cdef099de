#include "app/resources.h"

#include <QtGlobal>

void initResources()
{
    Q_INIT_RESOURCE(nivelon);
    Q_INIT_RESOURCE(translations);
}
