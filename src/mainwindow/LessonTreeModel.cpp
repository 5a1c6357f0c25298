#include "mainwindow/LessonTreeModel.h"

#include <QPainter>
#include <QPainterPath>

namespace lectern::mainwindow {
namespace {

// Image 0: an open book, the lesson in hand. Image 1: a closed book.
QPixmap drawImage(int imageIndex) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (imageIndex == 0) {
        painter.setPen(QPen(QColor(0x8a, 0x4b, 0x08), 1));
        painter.setBrush(QColor(0xff, 0xf4, 0xd6));
        QPainterPath left, right;
        left.moveTo(8, 4);
        left.cubicTo(6, 2.5, 3, 2.5, 1.5, 3.5);
        left.lineTo(1.5, 13);
        left.cubicTo(3, 12, 6, 12, 8, 13.5);
        left.closeSubpath();
        right.moveTo(8, 4);
        right.cubicTo(10, 2.5, 13, 2.5, 14.5, 3.5);
        right.lineTo(14.5, 13);
        right.cubicTo(13, 12, 10, 12, 8, 13.5);
        right.closeSubpath();
        painter.drawPath(left);
        painter.drawPath(right);
        painter.setPen(QPen(QColor(0xc0, 0x80, 0x30), 1));
        painter.drawLine(QPointF(3.5, 6), QPointF(6.5, 6.5));
        painter.drawLine(QPointF(3.5, 8.5), QPointF(6.5, 9));
        painter.drawLine(QPointF(9.5, 6.5), QPointF(12.5, 6));
        painter.drawLine(QPointF(9.5, 9), QPointF(12.5, 8.5));
    } else {
        painter.setPen(QPen(QColor(0x1f, 0x3a, 0x6b), 1));
        painter.setBrush(QColor(0x3d, 0x6e, 0xb4));
        painter.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 1.5, 1.5);
        painter.setBrush(QColor(0xf4, 0xf1, 0xe8));
        painter.drawRect(QRectF(3.5, 12, 10, 2.5));
        painter.setPen(QPen(QColor(0xdd, 0xe6, 0xf5), 1));
        painter.drawLine(QPointF(6, 5), QPointF(11, 5));
    }
    return pixmap;
}

}  // namespace

LessonTreeModel::LessonTreeModel(QObject* parent) : QAbstractItemModel(parent) {
    icons_[0] = imageIcon(0);
    icons_[1] = imageIcon(1);
}

QIcon LessonTreeModel::imageIcon(int imageIndex) {
    QIcon icon;
    icon.addPixmap(drawImage(imageIndex), QIcon::Normal);
    // A selected node shows image 0, whatever its own image index.
    icon.addPixmap(drawImage(0), QIcon::Selected);
    return icon;
}

void LessonTreeModel::setTree(catalogue::LessonTree tree) {
    beginResetModel();
    tree_ = std::move(tree);
    imageIndexes_.assign(static_cast<size_t>(tree_.size()), 0);
    descriptions_.clear();
    endResetModel();
}

void LessonTreeModel::setImageIndex(int node, int imageIndex) {
    if (node < 0 || node >= tree_.size())
        return;
    imageIndexes_[static_cast<size_t>(node)] = imageIndex;
    const QModelIndex index = indexOfNode(node);
    emit dataChanged(index, index, {Qt::DecorationRole});
}

void LessonTreeModel::setAllImageIndexes(int imageIndex) {
    std::fill(imageIndexes_.begin(), imageIndexes_.end(), imageIndex);
    if (!tree_.empty())
        emit layoutChanged();
}

QModelIndex LessonTreeModel::indexOfNode(int node) const {
    if (node < 0 || node >= tree_.size())
        return {};
    return createIndex(tree_.node(node).row, 0, quintptr(node));
}

int LessonTreeModel::nodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<int>(index.internalId()) : -1;
}

QModelIndex LessonTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    const std::vector<int>& siblings =
        parent.isValid() ? tree_.children(nodeOf(parent)) : tree_.topLevel();
    if (row >= static_cast<int>(siblings.size()))
        return {};
    return createIndex(row, 0, quintptr(siblings[static_cast<size_t>(row)]));
}

QModelIndex LessonTreeModel::parent(const QModelIndex& child) const {
    const int node = nodeOf(child);
    if (node < 0)
        return {};
    return indexOfNode(tree_.node(node).parent);
}

int LessonTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(tree_.topLevel().size());
    if (parent.column() != 0)
        return 0;
    return static_cast<int>(tree_.children(nodeOf(parent)).size());
}

int LessonTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

void LessonTreeModel::setDescription(int node, const QString& text) {
    if (node < 0 || node >= tree_.size() || descriptions_.value(node) == text)
        return;
    descriptions_.insert(node, text);
    const QModelIndex index = indexOfNode(node);
    emit dataChanged(index, index, {Qt::AccessibleDescriptionRole});
}

QString LessonTreeModel::description(int node) const {
    return descriptions_.value(node);
}

QVariant LessonTreeModel::data(const QModelIndex& index, int role) const {
    const int node = nodeOf(index);
    if (node < 0)
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: {
            // A row shows no more than a screen's width of text; laying out
            // a caption of megabytes on every paint would stall the program.
            constexpr qsizetype shownLength = 1000;
            const QString& caption = tree_.node(node).caption;
            if (caption.size() <= shownLength)
                return caption;
            return caption.left(shownLength) + QChar(0x2026);
        }
        case Qt::AccessibleDescriptionRole:
            return descriptions_.value(node);
        case Qt::DecorationRole:
            return icons_[imageIndexes_[static_cast<size_t>(node)] == 0 ? 0 : 1];
        default:
            return {};
    }
}

Qt::ItemFlags LessonTreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace lectern::mainwindow
