#include "check/CheckReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace lectern::check {

int CheckReport::problems() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Finding::Problem;
    }));
}

int CheckReport::warnings() const {
    return static_cast<int>(findings.size()) - problems();
}

QString CheckReport::toText() const {
    QString out;
    out += QStringLiteral("Lesson tree (%1 nodes, text in %2):\n").arg(tree.size()).arg(codePage);
    for (const Node& node : tree) {
        const QString type = node.type.isEmpty() ? QStringLiteral("-") : node.type;
        out += QStringLiteral("%1  %2  %3%4\n")
                   .arg(node.index, 4)
                   .arg(type, -3)
                   .arg(QString(node.depth * 2, QLatin1Char(' ')), node.caption);
    }
    for (const Finding& f : findings) {
        out += f.line > 0 ? QStringLiteral("%1:%2: ").arg(f.file).arg(f.line)
                          : QStringLiteral("%1: ").arg(f.file);
        out += f.severity == Finding::Problem ? QStringLiteral("error: ")
                                              : QStringLiteral("warning: ");
        out += f.message + QLatin1Char('\n');
    }
    out += QStringLiteral("%1 problem(s), %2 warning(s)\n").arg(problems()).arg(warnings());
    return out;
}

QByteArray CheckReport::toJson() const {
    QJsonArray nodes;
    for (const Node& node : tree)
        nodes.append(QJsonObject{{"index", node.index},
                                 {"depth", node.depth},
                                 {"type", node.type},
                                 {"caption", node.caption}});
    QJsonArray found;
    for (const Finding& f : findings)
        found.append(QJsonObject{{"severity", f.severity == Finding::Problem ? "error" : "warning"},
                                 {"file", f.file},
                                 {"line", f.line},
                                 {"message", f.message}});
    const QJsonObject root{{"codePage", codePage},
                           {"tree", nodes},
                           {"findings", found},
                           {"problems", problems()},
                           {"warnings", warnings()}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace lectern::check
