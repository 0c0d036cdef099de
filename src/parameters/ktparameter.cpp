#include "parameters/ktparameter.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QSpinBox>
#include <limits>

bool KtParameter::save(QDataStream&)
{
    return false;
}

bool KtParameter::restore(QDataStream&)
{
    return false;
}

QVariant KtParameter::variantValue() const
{
    return QVariant();
}

bool KtParameter::setVariantValue(const QVariant&)
{
    return false;
}

QWidget* KtParameter::createWidget(bool* needsLabel, const char** changeSignal)
{
    QWidget* editor = createWidgetImpl(needsLabel, changeSignal);
    if (editor)
        editor->setToolTip(m_description.isNull() ? m_title : m_description);
    return editor;
}

QWidget* KtParameter::createWidget(const char** changeSignal)
{
    bool needsLabel = false;
    return createWidget(&needsLabel, changeSignal);
}

// --- KtIntParameter

QWidget* KtIntParameter::createWidgetImpl(bool* needsLabel, const char** changeSignal)
{
    auto* spinBox = new QSpinBox;
    spinBox->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    spinBox->setValue(m_value);
    if (!suffix().isNull())
        spinBox->setSuffix(suffix());
    *needsLabel = true;
    *changeSignal = SIGNAL(valueChanged(int));
    return spinBox;
}

void KtIntParameter::updateWidgetValue(QWidget* editor)
{
    if (auto* spinBox = qobject_cast<QSpinBox*>(editor))
        spinBox->setValue(m_value);
    else
        qDebug() << "Can't update KtIntParameter to other than QSpinBox";
}

void KtIntParameter::updateFromWidget(QWidget* editor)
{
    if (auto* spinBox = qobject_cast<QSpinBox*>(editor))
        setValue(spinBox->value());
    else
        qDebug() << "Can't update KtIntParameter from other than QSpinBox";
}

// --- KtFloatParameter

QWidget* KtFloatParameter::createWidgetImpl(bool* needsLabel, const char** changeSignal)
{
    auto* spinBox = new QDoubleSpinBox;
    spinBox->setRange(-2147483648.0, 2147483647.0);
    spinBox->setValue(double(m_value));
    if (!suffix().isNull())
        spinBox->setSuffix(suffix());
    *needsLabel = true;
    *changeSignal = SIGNAL(valueChanged(double));
    return spinBox;
}

void KtFloatParameter::updateWidgetValue(QWidget* editor)
{
    if (auto* spinBox = qobject_cast<QDoubleSpinBox*>(editor))
        spinBox->setValue(double(m_value));
    else
        qDebug() << "Can't update KtFloatParameter to other than QDoubleSpinBox";
}

void KtFloatParameter::updateFromWidget(QWidget* editor)
{
    if (auto* spinBox = qobject_cast<QDoubleSpinBox*>(editor))
        setValue(float(spinBox->value()));
    else
        qDebug() << "Can't update KtFloatParameter from other than QDoubleSpinBox";
}

// --- KtBoolParameter

QString KtBoolParameter::toString() const
{
    return m_value ? QStringLiteral("1") : QStringLiteral("0");
}

bool KtBoolParameter::setVariantValue(const QVariant& value)
{
    setValue(value.toBool());
    return true;
}

QWidget* KtBoolParameter::createWidgetImpl(bool* needsLabel, const char** changeSignal)
{
    auto* checkBox = new QCheckBox(title());
    checkBox->setChecked(m_value);
    *needsLabel = false;
    *changeSignal = SIGNAL(toggled(bool));
    return checkBox;
}

void KtBoolParameter::updateWidgetValue(QWidget* editor)
{
    if (auto* checkBox = qobject_cast<QCheckBox*>(editor))
        checkBox->setChecked(m_value);
    else
        qDebug() << "Can't update KtBoolParameter to other than QCheckBox";
}

void KtBoolParameter::updateFromWidget(QWidget* editor)
{
    if (auto* checkBox = qobject_cast<QCheckBox*>(editor))
        setValue(checkBox->isChecked());
    else
        qDebug() << "Can't update KtBoolParameter from other than QCheckBox";
}

// --- KtListParameter

KtListParameter::KtListParameter(int minimumContentsLength)
    : m_minimumContentsLength(minimumContentsLength)
{}

QString KtListParameter::toString() const
{
    return QString::number(m_value);
}

bool KtListParameter::save(QDataStream& stream)
{
    stream << qint32(m_value);
    return stream.status() == QDataStream::Ok;
}

bool KtListParameter::restore(QDataStream& stream)
{
    qint32 index = 0;
    stream >> index;
    m_value = index;
    return stream.status() == QDataStream::Ok;
}

QWidget* KtListParameter::createWidgetImpl(bool* needsLabel, const char** changeSignal)
{
    auto* comboBox = new QComboBox;
    comboBox->insertItems(0, m_items);
    comboBox->setCurrentIndex(m_value);
    if (m_minimumContentsLength != 0) {
        const QFontMetrics metrics(comboBox->font());
        int widest = 0;
        for (const QString& item : m_items)
            widest = qMax(widest, metrics.horizontalAdvance(item));
        comboBox->setMinimumContentsLength(m_minimumContentsLength);
        // Qt 5 deprecates the plain policy; this one sizes by the same length.
        comboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        comboBox->view()->setMinimumWidth(widest + 8);
    }
    *needsLabel = true;
    *changeSignal = SIGNAL(currentIndexChanged(int));
    return comboBox;
}

void KtListParameter::updateWidgetValue(QWidget* editor)
{
    if (auto* comboBox = qobject_cast<QComboBox*>(editor))
        comboBox->setCurrentIndex(m_value);
    else
        qDebug() << "Can't update KtListParameter to other than QComboBox";
}

void KtListParameter::updateFromWidget(QWidget* editor)
{
    if (auto* comboBox = qobject_cast<QComboBox*>(editor))
        setValue(comboBox->currentIndex());
    else
        qDebug() << "Can't update KtListParameter from other than QComboBox";
}
