#include "parameters/parameterwidget.h"

#include "engine/basesensor.h"
#include "log/sensorevents.h"
#include "parameters/exactinput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int ResultFlashMs = 2000;
// The line edit's own space between its frame and the text, on each side.
constexpr int kFieldPadding = 4;
// An em dash: what a value the sensor has not reported shows.
constexpr QChar kUnknownText(0x2014);
// A spin box's own maximum, for an editor not told its range.
constexpr int kDefaultMaximum = 99;
constexpr int kPwmMaximum = 32767;

} // namespace

ParameterWidget::ParameterWidget(QWidget* editor, QWidget* parent)
    : QWidget(parent)
    , m_stateTimer(new QTimer(this))
    , m_editor(editor)
    , m_display(new QLineEdit(this))
    , m_editButton(new QPushButton(tr("Edit"), this))
    , m_revertButton(new QPushButton(tr("Revert"), this))
    , m_acceptButton(new QPushButton(tr("Accept"), this))
    , m_rows(new QStackedWidget(this))
    , m_commitCallback(this, &ParameterWidget::editCommitCallback)
{
    m_stateTimer->setSingleShot(true);
    m_stateTimer->setInterval(ResultFlashMs);
    m_display->setReadOnly(true);
    m_display->setObjectName(QStringLiteral("display"));
    buildRows();

    connect(m_stateTimer, &QTimer::timeout, this, &ParameterWidget::slotOnStateTimerTimeout);
    connect(m_display, &QLineEdit::returnPressed, this, &ParameterWidget::slotEditClicked);
    connect(m_editButton, &QPushButton::clicked, this, &ParameterWidget::slotEditClicked);
    connect(m_revertButton, &QPushButton::clicked, this, &ParameterWidget::slotRevertClicked);
    connect(m_acceptButton, &QPushButton::clicked, this, &ParameterWidget::slotAcceptClicked);

    setState(StateIdle);
    m_editor->installEventFilter(this);
}

// The display row and the editor row take turns in one place that is as large
// as the larger of them, whichever shows: were the widget only as wide as the
// row it shows, each "Edit" could raise the window's minimum width, and a
// window grown to its minimum does not shrink back.
void ParameterWidget::buildRows()
{
    const auto addRow = [this](const QList<QWidget*>& widgets) {
        auto* page = new QWidget(m_rows);
        auto* row = new QHBoxLayout(page);
        row->setContentsMargins(0, 0, 0, 0);
        for (QWidget* widget : widgets)
            row->addWidget(widget);
        m_rows->addWidget(page);
    };
    addRow({m_display, m_editButton});
    addRow({m_editor, m_revertButton, m_acceptButton});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_rows);
}

void ParameterWidget::bindSensorParameter(BaseSensor* sensor, int index)
{
    m_sensor = sensor;
    m_index = index;
}

// A read-only field scrolls to the end of a text that does not fit ("92 (13 bits)"
// for "8192 (13 bits)"): widen it to the text and show it from the start.
void ParameterWidget::showText(const QString& text)
{
    m_display->setText(text);
    m_display->setCursorPosition(0);
    const QMargins margins = m_display->textMargins() + m_display->contentsMargins();
    m_display->setMinimumWidth(m_display->fontMetrics().horizontalAdvance(text) + margins.left() +
                               margins.right() + 2 * kFieldPadding);
}

void ParameterWidget::updateFromSensor(const QString& unknownWhy)
{
    if (!m_sensor)
        return;
    const KtParameter* parameter = m_sensor->parameter(m_index);
    qDebug("Updating param %s val %s", qPrintable(parameter->title()),
           qPrintable(parameter->variantValue().toString()));
    if (parameter->isValid()) {
        setVariantValue(parameter->variantValue());
        m_display->setToolTip(QString());
        return;
    }
    // The editor keeps what it had: a start for the user, never shown as read.
    showText(QString(kUnknownText));
    m_display->setToolTip(unknownWhy);
}

QString ParameterWidget::displayText() const
{
    return m_display->text();
}

bool ParameterWidget::showsUnknown() const
{
    return m_display->text() == QString(kUnknownText);
}

void ParameterWidget::setVariantValue(const QVariant& value)
{
    setEditVariantValue(value);
    showText(editText());
}

void ParameterWidget::setEditWidgetsVisible(bool visible)
{
    m_rows->setCurrentIndex(visible ? 1 : 0);
}

void ParameterWidget::setState(State state)
{
    m_state = state;
    switch (state) {
    case StateIdle:
        setEditWidgetsVisible(false);
        m_editButton->setEnabled(true);
        m_display->setPalette(palette());
        break;
    case StateEditing:
        setEditWidgetsVisible(true);
        break;
    case StateWaiting:
        setEditWidgetsVisible(false);
        m_editButton->setEnabled(false);
        m_display->setPalette(palette());
        break;
    case StateOk:
    case StateFailed:
        setEditWidgetsVisible(false);
        m_editButton->setEnabled(false);
        setDisplayColor(state == StateOk ? Qt::green : Qt::red);
        m_stateTimer->start();
        break;
    }
}

void ParameterWidget::setDisplayColor(const QColor& color)
{
    QPalette flash = m_display->palette();
    flash.setBrush(QPalette::All, QPalette::Base, QBrush(color, Qt::SolidPattern));
    m_display->setPalette(flash);
}

bool ParameterWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
            setState(StateIdle);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            slotAcceptClicked();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ParameterWidget::slotAcceptClicked()
{
    setState(StateWaiting);
    // The sensor may be gone while its view waits for deletion; nothing then
    // answers, so the widget must not wait for it.
    if (!m_sensor) {
        setState(StateFailed);
        return;
    }
    const QVariant value = editVariantValue();
    m_writing =
        QStringLiteral("%1 %2").arg(m_sensor->parameter(m_index)->title(), editText().trimmed());
    QString reason = rangeRefusal();
    if (reason.isEmpty() && m_check)
        reason = m_check(value);
    if (!reason.isEmpty()) {
        setState(StateFailed);
        emit writeFailed(tr("%1 refused: %2").arg(m_writing, reason));
        return;
    }
    m_sensor->requestChangeParameter(m_index, value, &m_commitCallback);
}

// A write canceled because the sensor or the program goes needs no words.
void ParameterWidget::editCommitCallback(CommandCallback::Result result, const EngineCommand&)
{
    if (result != CommandCallback::Ok) {
        setState(StateFailed);
        if (result == CommandCallback::Nack)
            emit writeFailed(tr("%1 refused by the sensor").arg(m_writing));
        else if (result != CommandCallback::Canceled)
            emit writeFailed(
                tr("%1 not written: %2").arg(m_writing, callbackResultToString(result)));
        return;
    }
    setState(StateOk);
    if (m_sensor)
        SensorEvents::record(m_sensor->address(), tr("%1 written").arg(m_writing));
    updateFromSensor();
    emit written(m_writing);
}

void ParameterWidget::slotOnStateTimerTimeout()
{
    setState(StateIdle);
}

void ParameterWidget::slotRevertClicked()
{
    setState(StateIdle);
}

void ParameterWidget::slotEditClicked()
{
    setState(StateEditing);
    emit prepareEditWidget();
}

IntSpinBoxParameterWidget::IntSpinBoxParameterWidget(QWidget* parent)
    : IntSpinBoxParameterWidget(new QSpinBox, parent)
{}

IntSpinBoxParameterWidget::IntSpinBoxParameterWidget(QSpinBox* spinBox, QWidget* parent)
    : ParameterWidget(spinBox, parent)
    , m_spinBox(spinBox)
{
    ExactInput::allow(m_spinBox, 0, kDefaultMaximum);
}

void IntSpinBoxParameterWidget::setRange(int minimum, int maximum)
{
    ExactInput::allow(m_spinBox, minimum, maximum);
}

QString IntSpinBoxParameterWidget::rangeRefusal() const
{
    return ExactInput::refusal(m_spinBox);
}

void IntSpinBoxParameterWidget::setEditVariantValue(const QVariant& value)
{
    m_spinBox->setValue(value.toInt());
}

QVariant IntSpinBoxParameterWidget::editVariantValue() const
{
    return QVariant(m_spinBox->value());
}

QString IntSpinBoxParameterWidget::editText() const
{
    return m_spinBox->cleanText();
}

ComboBoxParameterWidget::ComboBoxParameterWidget(QWidget* parent)
    : ComboBoxParameterWidget(new QComboBox, parent)
{}

ComboBoxParameterWidget::ComboBoxParameterWidget(QComboBox* comboBox, QWidget* parent)
    : ParameterWidget(comboBox, parent)
    , m_comboBox(comboBox)
{}

void ComboBoxParameterWidget::setItems(const QStringList& items)
{
    m_comboBox->clear();
    m_comboBox->insertItems(0, items);
}

void ComboBoxParameterWidget::setEditVariantValue(const QVariant& value)
{
    m_comboBox->setCurrentIndex(value.toInt());
}

QVariant ComboBoxParameterWidget::editVariantValue() const
{
    return QVariant(m_comboBox->currentIndex());
}

QString ComboBoxParameterWidget::editText() const
{
    const QString text = m_comboBox->currentText();
    return text.isEmpty() ? QStringLiteral("Unknown%1").arg(m_comboBox->currentIndex()) : text;
}

PwmParameterWidget::PwmEditWidget::PwmEditWidget(QWidget* parent)
    : QWidget(parent)
    , reverseCheckBox(new QCheckBox(PwmParameterWidget::tr("Reverse"), this))
    , spinBox(new QSpinBox(this))
{
    ExactInput::allow(spinBox, 0, kPwmMaximum);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(reverseCheckBox);
    row->addWidget(spinBox);
}

PwmParameterWidget::PwmParameterWidget(QWidget* parent)
    : PwmParameterWidget(new PwmEditWidget, parent)
{}

PwmParameterWidget::PwmParameterWidget(PwmEditWidget* pwmEdit, QWidget* parent)
    : ParameterWidget(pwmEdit, parent)
    , m_pwmEdit(pwmEdit)
{}

void PwmParameterWidget::setEditVariantValue(const QVariant& value)
{
    const int pwm = value.toInt();
    m_pwmEdit->reverseCheckBox->setChecked(pwm < 0);
    m_pwmEdit->spinBox->setValue(std::abs(pwm));
}

QString PwmParameterWidget::rangeRefusal() const
{
    return ExactInput::refusal(m_pwmEdit->spinBox);
}

QVariant PwmParameterWidget::editVariantValue() const
{
    const int sign = m_pwmEdit->reverseCheckBox->isChecked() ? -1 : 1;
    return QVariant(sign * m_pwmEdit->spinBox->value());
}

QString PwmParameterWidget::editText() const
{
    const int pwm = editVariantValue().toInt();
    return QStringLiteral("%1 %2").arg(std::abs(pwm)).arg(pwm < 0 ? tr("Reverse") : QString());
}
