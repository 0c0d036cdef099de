#include "log/fillingcolumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

FillingColumns::FillingColumns(QTableView* view)
    : QObject(view)
    , m_view(view)
{
    m_fitSoon.setSingleShot(true);
    m_fitSoon.setInterval(0);
    connect(&m_fitSoon, &QTimer::timeout, this, &FillingColumns::fit);
    QHeaderView* header = view->horizontalHeader();
    // Widths are ours to set; a stored header state may bring back other modes.
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    view->viewport()->installEventFilter(this);
    const auto fitSoon = [this] {
        m_fitSoon.start();
    };
    connect(view->model(), &QAbstractItemModel::rowsInserted, this, fitSoon);
    connect(view->model(), &QAbstractItemModel::modelReset, this, fitSoon);
    // A column hidden or shown from the header's menu.
    connect(header, &QHeaderView::sectionCountChanged, this, fitSoon);
    connect(header, &QHeaderView::sectionResized, this, [this](int, int oldSize, int newSize) {
        if (oldSize == 0 || newSize == 0)
            m_fitSoon.start();
    });
    fit();
}

void FillingColumns::fit()
{
    // Unseen, the view would measure every row it holds; it fits when it shows.
    if (!m_view->isVisible())
        return;
    QHeaderView* header = m_view->horizontalHeader();
    const int last = lastVisibleColumn();
    int used = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column) || column == last)
            continue;
        const int width = columnWidth(column);
        header->resizeSection(column, width);
        used += width;
    }
    if (last >= 0)
        header->resizeSection(last,
                              std::max(columnWidth(last), m_view->viewport()->width() - used));
}

bool FillingColumns::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        m_fitSoon.start();
    return QObject::eventFilter(watched, event);
}

int FillingColumns::contentWidth() const
{
    const QHeaderView* header = m_view->horizontalHeader();
    int width = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (!header->isSectionHidden(column))
            width += columnWidth(column);
    }
    return width;
}

int FillingColumns::lastVisibleColumn() const
{
    const QHeaderView* header = m_view->horizontalHeader();
    for (int visual = header->count() - 1; visual >= 0; --visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            return column;
    }
    return -1;
}

// The widest text among the rows in sight, or the title when that is wider. The
// table hides its measure of a column; the item view's is public.
int FillingColumns::columnWidth(int column) const
{
    const QAbstractItemView* view = m_view;
    return std::max(view->sizeHintForColumn(column),
                    m_view->horizontalHeader()->sectionSizeHint(column));
}
