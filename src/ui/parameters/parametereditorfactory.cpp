#include "parameters/parametereditorfactory.h"

#include "parameters/ktparameter.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QSpinBox>
#include <limits>
#include <map>

namespace {

// The editor widget of one parameter type, or null when the editor is of
// another kind: a mismatch is a programmer's slip, said on the debug output.
template <typename Widget>
Widget* editorAs(QWidget* editor, const char* parameterClass, const char* direction)
{
    auto* widget = qobject_cast<Widget*>(editor);
    if (!widget)
        qDebug("Can't update %s %s other than %s", parameterClass, direction,
               Widget::staticMetaObject.className());
    return widget;
}

template <typename SpinBox>
void applySuffix(SpinBox* spinBox, const KtParameter* parameter)
{
    if (!parameter->suffix().isNull())
        spinBox->setSuffix(parameter->suffix());
}

QWidget* createInt(const KtParameter* parameter, bool* needsLabel, const char** changeSignal)
{
    auto* spinBox = new QSpinBox;
    spinBox->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    spinBox->setValue(ktparameter_cast<KtIntParameter>(parameter)->value());
    applySuffix(spinBox, parameter);
    *needsLabel = true;
    *changeSignal = SIGNAL(valueChanged(int));
    return spinBox;
}

void showInt(const KtParameter* parameter, QWidget* editor)
{
    if (auto* spinBox = editorAs<QSpinBox>(editor, "KtIntParameter", "to"))
        spinBox->setValue(ktparameter_cast<KtIntParameter>(parameter)->value());
}

void takeInt(KtParameter* parameter, QWidget* editor)
{
    if (auto* spinBox = editorAs<QSpinBox>(editor, "KtIntParameter", "from"))
        ktparameter_cast<KtIntParameter>(parameter)->setValue(spinBox->value());
}

QWidget* createFloat(const KtParameter* parameter, bool* needsLabel, const char** changeSignal)
{
    auto* spinBox = new QDoubleSpinBox;
    spinBox->setRange(-2147483648.0, 2147483647.0);
    spinBox->setValue(double(ktparameter_cast<KtFloatParameter>(parameter)->value()));
    applySuffix(spinBox, parameter);
    *needsLabel = true;
    *changeSignal = SIGNAL(valueChanged(double));
    return spinBox;
}

void showFloat(const KtParameter* parameter, QWidget* editor)
{
    if (auto* spinBox = editorAs<QDoubleSpinBox>(editor, "KtFloatParameter", "to"))
        spinBox->setValue(double(ktparameter_cast<KtFloatParameter>(parameter)->value()));
}

void takeFloat(KtParameter* parameter, QWidget* editor)
{
    if (auto* spinBox = editorAs<QDoubleSpinBox>(editor, "KtFloatParameter", "from"))
        ktparameter_cast<KtFloatParameter>(parameter)->setValue(float(spinBox->value()));
}

QWidget* createBool(const KtParameter* parameter, bool* needsLabel, const char** changeSignal)
{
    auto* checkBox = new QCheckBox(parameter->title());
    checkBox->setChecked(ktparameter_cast<KtBoolParameter>(parameter)->value());
    *needsLabel = false;
    *changeSignal = SIGNAL(toggled(bool));
    return checkBox;
}

void showBool(const KtParameter* parameter, QWidget* editor)
{
    if (auto* checkBox = editorAs<QCheckBox>(editor, "KtBoolParameter", "to"))
        checkBox->setChecked(ktparameter_cast<KtBoolParameter>(parameter)->value());
}

void takeBool(KtParameter* parameter, QWidget* editor)
{
    if (auto* checkBox = editorAs<QCheckBox>(editor, "KtBoolParameter", "from"))
        ktparameter_cast<KtBoolParameter>(parameter)->setValue(checkBox->isChecked());
}

// As wide as the parameter asks, with a pop-up list wide enough for every item.
void sizeComboBox(QComboBox* comboBox, const KtListParameter* parameter)
{
    const QFontMetrics metrics(comboBox->font());
    int widest = 0;
    for (const QString& item : parameter->items())
        widest = qMax(widest, metrics.horizontalAdvance(item));
    comboBox->setMinimumContentsLength(parameter->minimumContentsLength());
    // Qt 5 deprecates the plain policy; this one sizes by the same length.
    comboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    comboBox->view()->setMinimumWidth(widest + 8);
}

QWidget* createList(const KtParameter* parameter, bool* needsLabel, const char** changeSignal)
{
    const auto* list = ktparameter_cast<KtListParameter>(parameter);
    auto* comboBox = new QComboBox;
    comboBox->insertItems(0, list->items());
    comboBox->setCurrentIndex(list->value());
    if (list->minimumContentsLength() != 0)
        sizeComboBox(comboBox, list);
    *needsLabel = true;
    *changeSignal = SIGNAL(currentIndexChanged(int));
    return comboBox;
}

void showList(const KtParameter* parameter, QWidget* editor)
{
    if (auto* comboBox = editorAs<QComboBox>(editor, "KtListParameter", "to"))
        comboBox->setCurrentIndex(ktparameter_cast<KtListParameter>(parameter)->value());
}

void takeList(KtParameter* parameter, QWidget* editor)
{
    if (auto* comboBox = editorAs<QComboBox>(editor, "KtListParameter", "from"))
        ktparameter_cast<KtListParameter>(parameter)->setValue(comboBox->currentIndex());
}

struct Editor
{
    QWidget* (*create)(const KtParameter*, bool* needsLabel, const char** changeSignal);
    void (*show)(const KtParameter*, QWidget*);
    void (*take)(KtParameter*, QWidget*);
};

const Editor* editorFor(const KtParameter* parameter)
{
    static const std::map<KtParameter::Type, Editor> editors = {
        {KtParameter::Int, {createInt, showInt, takeInt}},
        {KtParameter::Float, {createFloat, showFloat, takeFloat}},
        {KtParameter::Bool, {createBool, showBool, takeBool}},
        {KtParameter::List, {createList, showList, takeList}},
    };
    const auto found = editors.find(parameter->type());
    return found != editors.end() ? &found->second : nullptr;
}

} // namespace

QWidget* ParameterEditorFactory::create(const KtParameter* parameter, bool* needsLabel,
                                        const char** changeSignal)
{
    const Editor* editor = editorFor(parameter);
    QWidget* widget = editor ? editor->create(parameter, needsLabel, changeSignal) : nullptr;
    if (widget)
        widget->setToolTip(parameter->description().isNull() ? parameter->title()
                                                             : parameter->description());
    return widget;
}

QWidget* ParameterEditorFactory::create(const KtParameter* parameter, const char** changeSignal)
{
    bool needsLabel = false;
    return create(parameter, &needsLabel, changeSignal);
}

void ParameterEditorFactory::showValue(const KtParameter* parameter, QWidget* editor)
{
    if (const Editor* found = editorFor(parameter))
        found->show(parameter, editor);
}

void ParameterEditorFactory::takeValue(KtParameter* parameter, QWidget* editor)
{
    if (const Editor* found = editorFor(parameter))
        found->take(parameter, editor);
}
