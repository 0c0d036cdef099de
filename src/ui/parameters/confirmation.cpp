#include "parameters/confirmation.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace Confirmation {

void ask(QWidget* owner, const QString& title, const QString& question,
         std::function<void()> proceed)
{
    auto* box = new QMessageBox(QMessageBox::Question, title, question,
                                QMessageBox::Yes | QMessageBox::No, owner);
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::buttonClicked, owner,
                     [box, proceed = std::move(proceed)](QAbstractButton* button) {
                         if (box->standardButton(button) == QMessageBox::Yes)
                             proceed();
                     });
    box->open();
}

} // namespace Confirmation
