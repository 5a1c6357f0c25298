#include "app/ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace lectern::bench {
namespace {

// Every process's parent, from /proc/<pid>/stat (the field after the
// command, which is in parentheses and may itself hold spaces).
QMap<pid_t, pid_t> parents() {
    QMap<pid_t, pid_t> result;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        if (!number)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            result.insert(pid, fields[1].toInt());
    }
    return result;
}

QList<pid_t> members(pid_t root) {
    const QMap<pid_t, pid_t> parent = parents();
    QList<pid_t> tree{root};
    for (int i = 0; i < tree.size(); ++i)
        for (auto it = parent.begin(); it != parent.end(); ++it)
            if (it.value() == tree[i] && !tree.contains(it.key()))
                tree.append(it.key());
    return tree;
}

double pssKilobytes(pid_t pid) {
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression pss(QStringLiteral("^Pss:\\s+(\\d+) kB"),
                                        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pss.match(QString::fromLatin1(rollup.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

}  // namespace

ProcessTree::ProcessTree(pid_t root) : root_(root) {}

double ProcessTree::pssMegabytes() const {
    double total = 0;
    for (const pid_t pid : members(root_))
        total += pssKilobytes(pid);
    return total / 1024;
}

QStringList ProcessTree::details() const {
    QStringList lines;
    for (const pid_t pid : members(root_)) {
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!command.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> words = command.readAll().split('\0');
        QString kind = QString::fromLocal8Bit(words.value(0)).section('/', -1);
        for (const QByteArray& word : words)
            if (word.startsWith("--type="))
                kind = QString::fromLatin1(word.mid(7));
        lines += QStringLiteral("%1 MB %2").arg(pssKilobytes(pid) / 1024, 7, 'f', 1).arg(kind);
    }
    return lines;
}

int ProcessTree::processes() const {
    return int(members(root_).size());
}

}  // namespace lectern::bench
