#include "catalogue/LessonTree.h"

namespace lectern::catalogue {

int LessonTree::levelOf(const QString& line) {
    int level = 0;
    while (level < line.size() &&
           (line[level] == QLatin1Char('\t') || line[level] == QLatin1Char(' ')))
        ++level;
    return level;
}

const std::vector<int>& LessonTree::children(int index) const {
    return children_[static_cast<size_t>(index)];
}

int LessonTree::append(const QString& caption, int parent) {
    const int index = size();
    std::vector<int>& siblings = parent < 0 ? topLevel_ : children_[static_cast<size_t>(parent)];
    nodes_.push_back({caption, parent, parent < 0 ? 0 : nodes_[parent].depth + 1,
                      static_cast<int>(siblings.size())});
    children_.emplace_back();
    siblings.push_back(index);
    return index;
}

LessonTree LessonTree::fromLines(const QStringList& lines, QString* error) {
    LessonTree tree;
    tree.nodes_.reserve(static_cast<size_t>(lines.size()));
    tree.children_.reserve(static_cast<size_t>(lines.size()));
    // openPath[d] is the last node made at depth d: the ancestors of the
    // next node are found here without walking the tree.
    std::vector<int> openPath;
    for (const QString& line : lines) {
        const int level = levelOf(line);
        const QString caption = line.mid(level);
        if (openPath.empty()) {
            openPath.push_back(tree.append(caption, -1));
            continue;
        }
        const int previousDepth = static_cast<int>(openPath.size()) - 1;
        if (level > previousDepth + 1) {
            if (error)
                *error =
                    QStringLiteral("Invalid level (%1) for item \"%2\"").arg(level).arg(caption);
            return tree;
        }
        openPath.resize(static_cast<size_t>(level));
        const int parent = level == 0 ? -1 : openPath.back();
        openPath.push_back(tree.append(caption, parent));
    }
    return tree;
}

}  // namespace lectern::catalogue
