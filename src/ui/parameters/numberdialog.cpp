#include "parameters/numberdialog.h"

#include "parameters/exactinput.h"

#include <QSpinBox>

NumberDialog::NumberDialog(QWidget* parent, int minimum, int maximum, int value)
    : QInputDialog(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    setInputMode(QInputDialog::IntInput);
    setIntStep(1);
    if (auto* spinBox = findChild<QSpinBox*>())
        ExactInput::allow(spinBox, minimum, maximum);
    setIntValue(value);
    connect(this, &QInputDialog::intValueChanged, this, [this] {
        m_refusal.clear();
        showLabel();
    });
}

void NumberDialog::setQuestion(Question question)
{
    m_question = std::move(question);
    showLabel();
}

void NumberDialog::showLabel()
{
    QStringList lines;
    if (!m_refusal.isEmpty())
        lines << m_refusal;
    if (m_question)
        lines << m_question(intValue());
    lines << tr("Allowed: %1").arg(ExactInput::rangeText(m_minimum, m_maximum));
    setLabelText(lines.join(QLatin1Char('\n')));
}

void NumberDialog::done(int result)
{
    const int value = intValue();
    QString refusal;
    if (result == Accepted && (value < m_minimum || value > m_maximum))
        refusal = tr("%1 is refused: it must be %2")
                      .arg(value)
                      .arg(ExactInput::rangeText(m_minimum, m_maximum));
    else if (result == Accepted && m_check)
        refusal = m_check(value);
    if (refusal.isEmpty()) {
        QInputDialog::done(result);
        return;
    }
    m_refusal = refusal;
    showLabel();
}
