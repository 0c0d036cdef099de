#pragma once

#include <QString>

class QDoubleSpinBox;
class QSpinBox;

// A spin box refuses keystrokes that would leave its range, so "300" typed into
// a box that ends at 255 stays "30" and 30 is what gets written. These widen the
// box far beyond the allowed range, so that what is typed stays exactly as typed,
// and keep the allowed range beside it: the caller refuses a value outside it,
// with the range said, before anything is sent. The tooltip names the range.
namespace ExactInput {

void allow(QSpinBox* box, int minimum, int maximum);
void allow(QDoubleSpinBox* box, double minimum, double maximum);

// Why the box's present value may not be taken, or an empty text when it may.
QString refusal(const QSpinBox* box);
QString refusal(const QDoubleSpinBox* box);

// "from 1 to 255", the allowed range in words.
QString rangeText(int minimum, int maximum);

} // namespace ExactInput
