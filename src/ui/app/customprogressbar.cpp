#include "app/customprogressbar.h"

CustomProgressBar::CustomProgressBar(QWidget* parent)
    : QProgressBar(parent)
{
    setMaximum(0);
}

QString CustomProgressBar::text() const
{
    return m_text;
}

void CustomProgressBar::setText(const QString& text)
{
    m_text = text;
    // A value change is what makes a busy bar repaint its text.
    setValue(0);
}
