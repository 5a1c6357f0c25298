#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace lectern::check {

// One thing wrong with a course, told where it comes from: the course file
// (relative to the course folder) and its line, counted from 1 (0 when the
// file as a whole is meant).
struct Finding {
    enum Severity { Problem, Warning };
    Severity severity = Problem;
    QString file;
    int line = 0;
    QString message;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// What the course checker found: the course's lesson tree and its findings,
// for people or for tools.
struct CheckReport {
    struct Node {
        int index = 0;
        int depth = 0;
        QString type;  // the node's "main.mtp" entry, empty when it has none
        QString caption;
    };

    QString codePage;  // the legacy code page chosen for the course's text
    std::vector<Node> tree;
    std::vector<Finding> findings;

    int problems() const;
    int warnings() const;
    // 0 for a course without problems, 1 with problems; warnings leave it alone.
    int exitStatus() const { return problems() ? 1 : 0; }

    // "file:line: error: message" lines after the tree, as compilers print them.
    QString toText() const;
    QByteArray toJson() const;
};

}  // namespace lectern::check
