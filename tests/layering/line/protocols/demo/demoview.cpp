// A protocol's file, a folder below the line folder, that includes the screen.
#include "protocols/demo/demoengine.h"
#include "views/sensorview.h"
