#pragma once

#include "catalogue/LessonTree.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <vector>

namespace lectern::mainwindow {

// The lesson tree as the tree view shows it, with each node's image index.
// A node shows image 0 while it is selected and its image index otherwise.
class LessonTreeModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    explicit LessonTreeModel(QObject* parent = nullptr);

    // The two 16×16 pictures of the tree: 0 for the selected node, 1 for the others.
    static QIcon imageIcon(int imageIndex);

    void setTree(catalogue::LessonTree tree);
    const catalogue::LessonTree& tree() const { return tree_; }

    int imageIndex(int node) const { return imageIndexes_[static_cast<size_t>(node)]; }
    void setImageIndex(int node, int imageIndex);
    void setAllImageIndexes(int imageIndex);

    // The text of a node's description page once it has been shown: what a
    // screen reader reads as the node's description.
    void setDescription(int node, const QString& text);
    QString description(int node) const;

    QModelIndex indexOfNode(int node) const;
    // The absolute index of the node at a model index, or -1.
    static int nodeOf(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    catalogue::LessonTree tree_;
    std::vector<int> imageIndexes_;
    QHash<int, QString> descriptions_;
    QIcon icons_[2];
};

}  // namespace lectern::mainwindow
