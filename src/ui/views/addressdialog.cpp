#include "views/addressdialog.h"

AddressDialog::AddressDialog(int address, int minimum, int maximum, QWidget* view)
    : QInputDialog(view->window())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("New address"));
    setLabelText(tr("Address"));
    setInputMode(QInputDialog::IntInput);
    setIntRange(minimum, maximum);
    setIntStep(1);
    setIntValue(address);
    connect(view, &QObject::destroyed, this, &QWidget::close);
}
