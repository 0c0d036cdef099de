#pragma once

// Tells the line which view each sensor type gets, and that every new view starts
// with the stored plot settings. A new sensor view is one line in here. The main
// window calls it at start; tests that make views without a window call it too.
void registerSensorViews();
