#include "log/headerviewhidermenu.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <memory>

HeaderViewHiderMenu::HeaderViewHiderMenu(QObject* parent)
    : QObject(parent)
{}

void HeaderViewHiderMenu::install(QHeaderView* header)
{
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this,
            &HeaderViewHiderMenu::slotContextMenuRequested, Qt::UniqueConnection);
}

QMenu* HeaderViewHiderMenu::createMenu(QHeaderView* header, QWidget* parent)
{
    auto* menu = new QMenu(tr("Show"), parent);
    const QAbstractItemModel* model = header->model();
    for (int section = 0; section < header->count(); ++section) {
        const QString text =
            model ? model->headerData(section, header->orientation()).toString() : QString();
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(section));
        action->setData(section);
    }
    return menu;
}

void HeaderViewHiderMenu::applyChoice(QHeaderView* header, const QAction* chosen)
{
    if (!chosen)
        return;
    header->setSectionHidden(chosen->data().toInt(), !chosen->isChecked());
}

void HeaderViewHiderMenu::slotContextMenuRequested(QPoint p)
{
    auto* header = qobject_cast<QHeaderView*>(sender());
    if (!header)
        return;
    // The menu runs its own event loop, in which the header may go away.
    const QPointer<QHeaderView> guard(header);
    const std::unique_ptr<QMenu> menu(createMenu(header, nullptr));
    const QAction* chosen = menu->exec(header->mapToGlobal(p));
    if (guard)
        applyChoice(header, chosen);
}
