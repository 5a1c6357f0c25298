#pragma once

#include <QListWidget>
#include <QPoint>
#include <functional>

namespace lectern::exercises {

// A list box of the sorting exercise whose items are dragged with the mouse:
// a press selects the item under it, moving past the platform's drag distance
// with the button held drags it, and letting go hands the drop to the window.
// The window decides where a drop may land and what it does.
class SortListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit SortListBox(QWidget* parent = nullptr);

    // Both take the mouse position in global coordinates.
    std::function<bool(SortListBox* source, QPoint global)> CanDropAt;
    std::function<void(SortListBox* source, QPoint global)> DropAt;

    bool isDragging() const { return dragging_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void endDrag();

    bool pressed_ = false;
    bool dragging_ = false;
    QPoint pressPos_;
};

}  // namespace lectern::exercises
