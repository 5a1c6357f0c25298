#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace lectern::catalogue {

// The lesson tree as the tree file "main.mrb" describes it: one node per
// line, its level told by the TABs and spaces that start the line. Nodes are
// kept in the order of their lines, which is also their pre-order: a node's
// index is its absolute index, the line number that ties it to every
// per-node list.
class LessonTree {
  public:
    struct Node {
        QString caption;
        int parent = -1;  // -1 for a top-level node
        int depth = 0;
        int row = 0;  // position among its parent's children
    };

    // Builds the tree line by line. A line more than one level deeper than
    // the one before stops the building there; the nodes made so far stay,
    // and *error (when given) receives "Invalid level (%d) for item "%s"".
    static LessonTree fromLines(const QStringList& lines, QString* error = nullptr);

    int size() const { return static_cast<int>(nodes_.size()); }
    bool empty() const { return nodes_.empty(); }
    const Node& node(int index) const { return nodes_[static_cast<size_t>(index)]; }
    const std::vector<int>& children(int index) const;
    const std::vector<int>& topLevel() const { return topLevel_; }

    // The level of a line: each leading TAB or space counts one.
    static int levelOf(const QString& line);

  private:
    int append(const QString& caption, int parent);

    std::vector<Node> nodes_;
    std::vector<std::vector<int>> children_;
    std::vector<int> topLevel_;
};

}  // namespace lectern::catalogue
