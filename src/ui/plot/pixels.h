#pragma once

#include <QtGlobal>
#include <algorithm>

// A sample far outside the scale (an extreme zoom) maps beyond what an int
// holds; it lies off the canvas anyway, so it is clamped before it is rounded.
inline int roundedPixel(double value)
{
    return qRound(std::clamp(value, -1e9, 1e9));
}
