#include "e2e/DemoCourse.h"

#include <QFile>
#include <stdexcept>

namespace lectern::test {
namespace {

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll()).split("\r\n");
}

void writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write(lines.join("\r\n").toUtf8());
}

}  // namespace

DemoCourse::DemoCourse() {
    dir_.copyTree(qEnvironmentVariable("LECTERN_DEMO_COURSE"));
    layout_ = readLines(dir_.path() + "/main.dsg");
    settings_ = readLines(dir_.path() + "/wind.mtp");
    captions_ = readLines(dir_.path() + "/zagol.mtp");
    settings_[2] = "0";
    writeLines(dir_.path() + "/wind.mtp", settings_);
}

void DemoCourse::keepOnlyNodes(const QList<int>& nodes) const {
    for (const char* name : {"main.mrb", "main.mtp", "sound.mtp", "text.mtp", "trans.mtp",
                             "descr.mtp", "zmarks.mtp", "zagol.mtp", "time.mtp", "name.mtp"}) {
        const QString file = path() + "/" + name;
        const QStringList lines = readLines(file);
        QStringList kept;
        for (int node : nodes)
            kept.append(lines.value(node).trimmed());
        kept.append(QString());
        writeLines(file, kept);
    }
}

QSize DemoCourse::windowSize() const {
    return {line(0), line(1) - 25};
}

QPoint DemoCourse::topBarButton(QRect window, int firstLine) const {
    return window.topLeft() + QPoint(line(firstLine + 3) + line(firstLine) / 2,
                                     line(firstLine + 2) + line(firstLine + 1) / 2);
}

QPoint DemoCourse::bottomBarButton(QRect window, int firstLine) const {
    const int barTop = window.height() - line(7);
    return window.topLeft() + QPoint(line(firstLine + 3) + line(firstLine) / 2,
                                     barTop + line(firstLine + 2) + line(firstLine + 1) / 2);
}

QPoint DemoCourse::treeRow(QRect window, int row) const {
    return window.topLeft() + QPoint(line(8) + 80, line(4) + 9 + row * 18);
}

QPoint DemoCourse::treeBranch(QRect window, int row) const {
    return window.topLeft() + QPoint(line(8) + 13, line(4) + 9 + row * 18);
}

}  // namespace lectern::test
