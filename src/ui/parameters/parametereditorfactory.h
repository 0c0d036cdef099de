#pragma once

class KtParameter;
class QWidget;

// The editor of a sensor parameter, chosen by the parameter's type: a spin box for
// a number, a check box for a flag, a combo box for a choice. The parameters are
// values only; this is where they meet the screen.
class ParameterEditorFactory
{
public:
    // A new editor showing the parameter's value, with the title or description as
    // its tooltip. needsLabel is false when the editor shows the title itself;
    // changeSignal is the editor's signal for an edit. Null for an untyped parameter.
    static QWidget* create(const KtParameter* parameter, bool* needsLabel,
                           const char** changeSignal);
    static QWidget* create(const KtParameter* parameter, const char** changeSignal);
    // The parameter's value into its editor, and back; an editor of another kind is
    // left alone, and so is the parameter.
    static void showValue(const KtParameter* parameter, QWidget* editor);
    static void takeValue(KtParameter* parameter, QWidget* editor);
};
