#pragma once

// Tells the registry which view each sensor type gets. A new sensor view is one
// line in here. The main
// window calls it at start; tests that make views without a window call it too.
void registerSensorViews();
