#include "views/fittingscrollarea.h"

#include <QEvent>
#include <QScrollBar>

FittingScrollArea::FittingScrollArea(QWidget* parent)
    : QScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room to spare goes to its neighbours; it keeps what its contents ask for.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

// The vertical bar's room is kept whether it shows or not, so that its coming
// does not cut the contents.
QSize FittingScrollArea::minimumSizeHint() const
{
    const QSize own = QScrollArea::minimumSizeHint();
    if (!widget())
        return own;
    const int frame = 2 * frameWidth();
    return QSize(widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width() +
                     frame,
                 own.height());
}

// The contents grow wider as longer values come in; the window's layout must
// hear of it.
bool FittingScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
