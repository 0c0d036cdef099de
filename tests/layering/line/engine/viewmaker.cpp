// A line file that reaches up into the screen, for the layering check to refuse.
#include "engine/basesensor.h"
#include "ui_sensorform.h"
#include "views/sensorview.h"
