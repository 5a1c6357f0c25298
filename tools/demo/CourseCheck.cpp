#include "demo/CourseCheck.h"

#include "demo/Narrator.h"

#include <QFile>
#include <QImage>
#include <QRect>
#include <QRegularExpression>
#include <QSet>

namespace lectern::demo {

namespace {

enum List { Type, Sound, Text, Trans, Descr, Time, Caption, Marks, ListCount };
const char* const kNodeFiles[ListCount] = {"main.mtp",  "sound.mtp", "text.mtp",  "trans.mtp",
                                           "descr.mtp", "time.mtp",  "zagol.mtp", "zmarks.mtp"};

int toInt(const QString& text, bool* ok) {
    return text.trimmed() == text ? text.toInt(ok) : 0;
}

QSet<QString> folded(const QStringList& items) {
    QSet<QString> set;
    for (const QString& item : items) {
        set.insert(item.toLower());
    }
    return set;
}

}  // namespace

CourseCheck::CourseCheck(QString root) : root_(std::move(root)) {}

QStringList CourseCheck::splitLines(const QByteArray& bytes) {
    QStringList lines;
    QString current;
    const QString text = QString::fromLatin1(bytes);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == '\r' || c == '\n') {
            lines << current;
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += c;
        }
    }
    if (!current.isEmpty()) {
        lines << current;
    }
    return lines;
}

int CourseCheck::sortingErrorsWhenSortedRight(const QStringList& fileLines) {
    QList<QStringList> groups(3);
    int group = 0;
    for (const QString& line : fileLines) {
        if (group < 3) {
            groups[group] << line;
        }
        if (line.isEmpty()) {
            ++group;
        }
    }
    // The learner can only move what the left-hand list offers, each item once.
    QStringList left = groups[0], right, middle;
    for (int target = 1; target <= 2; ++target) {
        for (const QString& wanted : groups[target]) {
            // The count ignores letter case, so any spelling of the item will do.
            for (int at = 0; at < left.size(); ++at) {
                if (left[at].compare(wanted, Qt::CaseInsensitive) == 0) {
                    (target == 1 ? right : middle) << left.takeAt(at);
                    break;
                }
            }
        }
    }
    const QSet<QString> expectedRight = folded(groups[1]), expectedMiddle = folded(groups[2]);
    const QSet<QString> gotRight = folded(right), gotMiddle = folded(middle);
    return int((expectedRight - gotRight).size() + (gotRight - expectedRight).size() +
               (expectedMiddle - gotMiddle).size() + (gotMiddle - expectedMiddle).size());
}

QString CourseCheck::local(const QString& entry) const {
    return root_ + "/" + QString(entry).replace('\\', '/');
}

bool CourseCheck::exists(const QString& entry) const {
    return !entry.isEmpty() && QFile::exists(local(entry));
}

QStringList CourseCheck::readLines(const QString& entry, QStringList& problems) const {
    QFile file(local(entry));
    if (!file.open(QIODevice::ReadOnly)) {
        problems << "cannot open " + entry;
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (bytes.count('\n') != bytes.count("\r\n")) {
        problems << entry + ": lines must end in CR LF";
    }
    return splitLines(bytes);
}

void CourseCheck::checkGeometry(const QStringList& design, QStringList& problems) const {
    QList<int> v;
    for (const QString& line : design) {
        bool ok = false;
        v << toInt(line, &ok);
        if (!ok) {
            problems << "main.dsg: not an integer: '" + line + "'";
        }
    }
    if (v.size() != 60) {
        problems << "main.dsg must have 60 lines";
        return;
    }
    const auto box = [&](int first) {
        return QRect(v[first + 3], v[first + 2], v[first], v[first + 1]);
    };
    const QRect top(0, 0, v[3], v[4]), bottom(0, 0, v[6], v[7]);
    for (int first : {10, 14, 18, 22, 26}) {
        if (!top.contains(box(first))) {
            problems << QString("main.dsg: main button at line %1 leaves the top bar").arg(first);
        }
    }
    for (int first : {30, 34, 38, 42, 46, 52, 56}) {
        if (!bottom.contains(box(first))) {
            problems << QString("main.dsg: button at line %1 leaves the bottom bar").arg(first);
        }
    }
}

void CourseCheck::checkSkin(const QStringList& design, QStringList& problems) const {
    if (design.size() != 60) {
        return;
    }
    const auto line = [&](int n) { return design[n].toInt(); };
    const QSize top(line(3), line(4)), bottom(line(6), line(7));
    const QList<QPair<QString, QSize>> pictures = {{"top.jpg", top},
                                                   {"top2.jpg", top},
                                                   {"bot.jpg", bottom},
                                                   {"bot2.jpg", bottom},
                                                   {"bot3.jpg", bottom},
                                                   {"left.jpg", QSize(line(8), line(1))},
                                                   {"right.jpg", QSize(line(9), line(1))},
                                                   {"m1.jpg", QSize(line(10), line(11))},
                                                   {"m2.jpg", QSize(line(14), line(15))},
                                                   {"m3.jpg", QSize(line(18), line(19))},
                                                   {"m4.jpg", QSize(line(22), line(23))},
                                                   {"m5.jpg", QSize(line(26), line(27))},
                                                   {"m6.jpg", QSize(line(30), line(31))},
                                                   {"m7.jpg", QSize(line(34), line(35))},
                                                   {"m8.jpg", QSize(line(38), line(39))},
                                                   {"m9.jpg", QSize(line(42), line(43))},
                                                   {"m10.jpg", QSize(line(46), line(47))},
                                                   {"m11.jpg", QSize(line(52), line(53))},
                                                   {"c1.jpg", QSize(line(56), line(57))},
                                                   {"c2.jpg", QSize(line(56), line(57))},
                                                   {"c3.jpg", QSize(line(56), line(57))},
                                                   {"c1a.jpg", QSize(line(56), line(57))},
                                                   {"c2a.jpg", QSize(line(56), line(57))},
                                                   {"c3a.jpg", QSize(line(56), line(57))}};
    for (const auto& [name, size] : pictures) {
        const QImage image(local("gdata\\" + name), "JPG");
        if (image.isNull()) {
            problems << "gdata\\" + name + " is missing or not a JPEG";
        } else if (image.size() != size) {
            problems << "gdata\\" + name + " has the wrong size";
        }
    }
}

void CourseCheck::checkMarks(const QString& marksEntry, const QStringList& pages,
                             const QString& sound, QStringList& problems) const {
    const QStringList marks = readLines("data\\marks\\" + marksEntry, problems);
    int previous = 0;
    for (const QString& mark : marks) {
        bool ok = false;
        const int value = toInt(mark, &ok);
        if (!ok || value <= previous) {
            problems << marksEntry + ": marks must be rising integers";
            return;
        }
        previous = value;
    }
    static const QRegularExpression passage("id=\"t[0-9]+\"");
    for (const QString& page : pages) {
        QFile file(local("data\\text\\" + page));
        if (file.open(QIODevice::ReadOnly) &&
            QString::fromUtf8(file.readAll()).count(passage) != marks.size()) {
            problems << page + " does not have one passage per line of " + marksEntry;
        }
    }
    if (!sound.isEmpty()) {
        const qint64 ms =
            Narrator::samples(local("data\\sound\\" + sound)) * 1000 / Narrator::kRate;
        if (ms != previous) {
            problems << sound + " does not end at the last mark of " + marksEntry;
        }
    }
}

void CourseCheck::checkNode(int index, const QList<QStringList>& lists,
                            QStringList& problems) const {
    const auto entry = [&](List list) { return lists[list][index]; };
    const QString type = entry(Type);
    const QString where = QString("node %1 (type %2): ").arg(index).arg(type);
    const auto need = [&](const QString& folder, List list) {
        if (!exists(folder + entry(list))) {
            problems << where + kNodeFiles[list] + " names a missing file '" + entry(list) + "'";
        }
    };
    need("data\\descr\\", Descr);
    bool ok = false;
    toInt(entry(Time), &ok);
    if (!ok) {
        problems << where + "time is not an integer";
    }
    if (type == "0") {
        return;
    }
    if (entry(Caption).isEmpty()) {
        problems << where + "no window caption";
    }
    if (!exists("help\\help_" + type + ".htm")) {
        problems << where + "no help page";
    }
    need("data\\text\\", Text);
    if (type == "2" || type == "4") {
        need("data\\text\\", Trans);
    }
    const bool withSound = type == "1" || type == "2" || type == "11";
    if (withSound) {
        need("data\\sound\\", Sound);
    }
    if (withSound || type == "3") {
        need("data\\marks\\", Marks);
        QStringList pages = {entry(Text)};
        if (type == "2") {
            pages << entry(Trans);
        }
        checkMarks(entry(Marks), pages, withSound ? entry(Sound) : QString(), problems);
    }
    if (type == "9") {
        const int errors =
            sortingErrorsWhenSortedRight(readLines("data\\text\\" + entry(Text), problems));
        if (errors != 0) {
            problems << where + QString("a right sorting still counts %1 errors").arg(errors);
        }
    }
}

QStringList CourseCheck::problems() const {
    QStringList problems;
    const QStringList tree = readLines("main.mrb", problems);
    QList<QStringList> lists;
    for (const char* name : kNodeFiles) {
        lists << readLines(name, problems);
        if (lists.last().size() < tree.size()) {
            problems << QString(name) + " has fewer lines than main.mrb";
            return problems;
        }
    }
    readLines("name.mtp", problems);
    readLines("main.rbp", problems);
    for (int i = 0; i < tree.size(); ++i) {
        checkNode(i, lists, problems);
    }
    const QStringList wind = readLines("wind.mtp", problems);
    if (wind.size() != 9) {
        problems << "wind.mtp must have 9 lines";
    } else {
        for (int line : {1, 4, 7}) {
            if (!exists("data\\descr\\" + wind[line])) {
                problems << "wind.mtp names a missing file '" + wind[line] + "'";
            }
        }
    }
    const QStringList design = readLines("main.dsg", problems);
    checkGeometry(design, problems);
    checkSkin(design, problems);
    if (design.size() == 60 && QImage(local("data\\descr\\splash.jpg"), "JPG").size() !=
                                   QSize(design[50].toInt(), design[51].toInt())) {
        problems << "the splash picture does not have the splash's size";
    }
    for (const QString& file : {QString("data\\intro.wav"), QString("help\\help.htm")}) {
        if (!exists(file)) {
            problems << file + " is missing";
        }
    }
    if (!exists("data\\empty.wav") || Narrator::samples(local("data\\empty.wav")) != 0) {
        problems << "data\\empty.wav must be a sound without frames";
    }
    return problems;
}

}  // namespace lectern::demo
