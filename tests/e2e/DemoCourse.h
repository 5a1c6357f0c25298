#pragma once

#include "support/TempDir.h"

#include <QPoint>
#include <QRect>
#include <QStringList>

namespace lectern::test {

// A copy of the generated demo course for one end-to-end test, with the
// splash switched off so that the main window comes at once, and the
// geometry of its windows and buttons.
class DemoCourse {
  public:
    DemoCourse();
    QString path() const { return dir_.path(); }
    QString title() const { return settings_.value(0); }
    // The window caption of a node's lesson.
    QString caption(int node) const { return captions_.value(node); }

    // Cuts the course to one node's lesson, which is then the tree's only
    // row, current when the main window opens: "Run lesson" (or Return)
    // runs it with no row to pick. caption() keeps the whole course's.
    void keepOnlyNode(int node) const { keepOnlyNodes({node}); }
    // Cuts it to these nodes' lessons, top-level rows in this order.
    void keepOnlyNodes(const QList<int>& nodes) const;

    // The client size of the skinned windows.
    QSize windowSize() const;
    // The centre of a button block of the geometry file (first of its four
    // lines), on the top bar (main window) or on the bottom bar (the others).
    QPoint topBarButton(QRect window, int firstLine) const;
    QPoint bottomBarButton(QRect window, int firstLine) const;
    // The centre of row `row` of the main window's tree, counting the rows shown.
    QPoint treeRow(QRect window, int row) const;
    // The arrow that opens or closes row `row`'s branch, for a top-level row.
    QPoint treeBranch(QRect window, int row) const;

  private:
    int line(int n) const { return layout_.value(n).toInt(); }
    TempDir dir_;
    QStringList layout_;
    QStringList settings_;
    QStringList captions_;
};

}  // namespace lectern::test
