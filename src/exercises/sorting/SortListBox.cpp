#include "exercises/sorting/SortListBox.h"

#include <QApplication>
#include <QMouseEvent>

namespace lectern::exercises {

SortListBox::SortListBox(QWidget* parent) : QListWidget(parent) {
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A sorting file's empty line is an item too, shown as an empty row; a
    // screen reader says what it is instead of nothing.
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = first; row <= last; ++row) {
                    if (QListWidgetItem* entry = item(row);
                        entry && entry->text().trimmed().isEmpty())
                        entry->setData(Qt::AccessibleTextRole, QStringLiteral("empty line"));
                }
            });
}

void SortListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    pressed_ = event->button() == Qt::LeftButton && itemAt(event->position().toPoint());
    dragging_ = false;
    pressPos_ = event->position().toPoint();
}

void SortListBox::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        // The list's own tracking would move the selection away from the
        // item pressed; only a drag may follow a press.
        if (!pressed_)
            QListWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!dragging_ && (pos - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    dragging_ = true;
    const QPoint global = viewport()->mapToGlobal(pos);
    const bool allowed = CanDropAt && CanDropAt(this, global);
    viewport()->setCursor(allowed ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void SortListBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool dropping = dragging_;
    const QPoint global = viewport()->mapToGlobal(event->position().toPoint());
    endDrag();
    // The drop comes first: a press on an item already selected leaves its
    // selection to the release, which would select what lies under the
    // release point, nothing at all over another box.
    if (dropping && CanDropAt && DropAt && CanDropAt(this, global))
        DropAt(this, global);
    QListWidget::mouseReleaseEvent(event);
}

void SortListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second grab of an item starts a drag as a first one does.
    mousePressEvent(event);
}

void SortListBox::endDrag() {
    pressed_ = false;
    dragging_ = false;
    viewport()->unsetCursor();
}

}  // namespace lectern::exercises
