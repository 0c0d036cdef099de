#pragma once

// Registers the program's compiled-in resources: the icons under ":/icons" and
// the translation catalogues under ":/tr". They live in a static library, whose
// unreferenced objects the linker would drop; calling this more than once is safe.
void initResources();
