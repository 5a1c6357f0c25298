#include "support/BrokenCourses.h"
#include "support/JpegSamples.h"
#include "support/PageFiles.h"
#include "support/WavFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <stdexcept>

namespace lectern::test {
namespace {

const QStringList catalogueFiles = {
    "main.mrb", "main.mtp",  "sound.mtp",  "name.mtp", "text.mtp", "trans.mtp", "descr.mtp",
    "time.mtp", "zagol.mtp", "zmarks.mtp", "wind.mtp", "main.dsg", "main.rbp"};

QByteArray read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write(bytes);
}

QStringList lines(const QString& path) {
    return QString::fromUtf8(read(path)).split("\r\n");
}

void writeLines(const QString& path, const QStringList& list) {
    write(path, list.join("\r\n").toUtf8());
}

void setLine(const QString& path, int n, const QString& value) {
    QStringList list = lines(path);
    while (list.size() <= n)
        list.append(QString());
    list[n] = value;
    writeLines(path, list);
}

// The same bytes on every run, so that a failure can be repeated.
QByteArray randomBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

// The narrated lesson's file named by a per-node list, below a data folder.
QString lessonFile(const QString& folder, const QString& list, const QString& below) {
    return folder + below + lines(folder + "/" + list).value(NarratedLessonNode);
}
QString lessonPage(const QString& folder) {
    return lessonFile(folder, "text.mtp", "/data/text/");
}
QString lessonMarks(const QString& folder) {
    return lessonFile(folder, "zmarks.mtp", "/data/marks/");
}
QString lessonSound(const QString& folder) {
    return lessonFile(folder, "sound.mtp", "/data/sound/");
}

BrokenCourse variant(QString name, std::function<void(const QString&)> breakIt,
                     bool narrated = true) {
    return {std::move(name), std::move(breakIt), narrated, false};
}

}  // namespace

std::vector<BrokenCourse> brokenCourses() {
    std::vector<BrokenCourse> set;
    quint32 seed = 1;
    for (const QString& file : catalogueFiles) {
        set.push_back(variant(
            file + " missing", [file](const QString& f) { QFile::remove(f + "/" + file); }, false));
        set.push_back(variant(
            file + " random",
            [file, seed](const QString& f) { write(f + "/" + file, randomBytes(3000, seed)); },
            false));
        ++seed;
    }
    set.push_back(variant(
        "a tree 5000 levels deep",
        [](const QString& f) {
            QStringList tree;
            for (int level = 0; level < 5000; ++level)
                tree.append(QString(level, '\t') + "Level " + QString::number(level));
            writeLines(f + "/main.mrb", tree);
        },
        false));
    // Refused as it is read: the tree stays empty.
    set.push_back(variant(
        "a 2 MB line",
        [](const QString& f) {
            QStringList tree = lines(f + "/main.mrb");
            tree.append(QString(2 * 1024 * 1024, 'x'));
            writeLines(f + "/main.mrb", tree);
        },
        false));
    set.push_back(variant(
        "a tree of 100001 nodes",
        [](const QString& f) {
            QStringList tree = lines(f + "/main.mrb");
            while (tree.size() <= 100'000)
                tree.append("node");
            writeLines(f + "/main.mrb", tree);
        },
        false));
    set.push_back(variant("a course title of 60000 characters", [](const QString& f) {
        setLine(f + "/wind.mtp", 0, QString(60'000, 'T'));
    }));
    for (const QString& size : {QStringLiteral("99999999"), QStringLiteral("-500")}) {
        set.push_back(variant(
            "window sizes " + size,
            [size](const QString& f) {
                for (const int n : {0, 1, 50, 51})
                    setLine(f + "/main.dsg", n, size);
            },
            size != "-500"));
    }
    // A picture that cannot be read ends the start-up before the lessons
    // can run: only the tree is left to look at.
    BrokenCourse garbageSplash = variant(
        "splash with a garbage picture",
        [](const QString& f) {
            setLine(f + "/wind.mtp", 2, "1");
            write(f + "/data/descr/" + lines(f + "/wind.mtp").value(1), randomBytes(5000, 99));
        },
        false);
    garbageSplash.splash = true;
    set.push_back(garbageSplash);
    BrokenCourse silentSplash = variant("splash without its intro sound", [](const QString& f) {
        setLine(f + "/wind.mtp", 2, "1");
        QFile::remove(f + "/data/intro.wav");
    });
    silentSplash.splash = true;
    set.push_back(silentSplash);
    set.push_back(variant(
        "every skin picture truncated",
        [](const QString& f) {
            QDirIterator pictures(f + "/gdata", {"*.jpg"}, QDir::Files);
            while (pictures.hasNext()) {
                const QString picture = pictures.next();
                write(picture, read(picture).left(300));
            }
        },
        false));
    // Each claims 32000 x 32000 and would decode to 4000 x 4000: four fill
    // the budget of the skin and the splash, the fifth is refused.
    set.push_back(variant(
        "every skin picture claiming 32000 x 32000",
        [](const QString& f) {
            QDirIterator pictures(f + "/gdata", {"*.jpg"}, QDir::Files);
            while (pictures.hasNext()) {
                const QString picture = pictures.next();
                write(picture, withClaimedSize(read(picture), 32000, 32000));
            }
        },
        false));
    BrokenCourse hugeIntro = variant("a 2 GB intro sound", [](const QString& f) {
        setLine(f + "/wind.mtp", 2, "1");
        // Sparse: it takes no room on the disk.
        const QString sound = f + "/data/intro.wav";
        write(sound, wavHeader(0x7FFF0000u));
        QFile::resize(sound, 44 + 0x7FFF0000LL);
    });
    hugeIntro.splash = true;
    set.push_back(hugeIntro);
    // The first node's description page, shown at start, loops for ever;
    // the learner then runs the narrated lesson of another node. The pages
    // share a renderer.
    BrokenCourse looping = variant("a description page in an endless loop", [](const QString& f) {
        const QString page = f + "/data/descr/" + lines(f + "/descr.mtp").value(0);
        write(page, read(page) + "<script>for (;;) {}</script>");
    });
    looping.lessonPlaysCleanly = true;
    set.push_back(looping);
    set.push_back(variant("lesson page random",
                          [](const QString& f) { write(lessonPage(f), randomBytes(20000, 7)); }));
    set.push_back(variant("lesson page empty", [](const QString& f) { write(lessonPage(f), {}); }));
    set.push_back(variant("lesson page 30000 elements deep", [](const QString& f) {
        write(lessonPage(f), htmlPage(QByteArray("<div>").repeated(30000) + "deep" +
                                      QByteArray("</div>").repeated(30000)));
    }));
    set.push_back(variant("marks random",
                          [](const QString& f) { write(lessonMarks(f), randomBytes(500, 8)); }));
    set.push_back(variant("marks decreasing", [](const QString& f) {
        writeLines(lessonMarks(f), {"9000", "7000", "5000", "3000", "1000", "500"});
    }));
    set.push_back(variant("marks negative", [](const QString& f) {
        writeLines(lessonMarks(f), {"-1000", "-2000", "-300000", "-2147483648"});
    }));
    set.push_back(variant("marks empty", [](const QString& f) { write(lessonMarks(f), {}); }));
    set.push_back(variant("sound random",
                          [](const QString& f) { write(lessonSound(f), randomBytes(50000, 9)); }));
    set.push_back(variant("sound header only", [](const QString& f) {
        write(lessonSound(f), read(lessonSound(f)).left(44));
    }));
    set.push_back(variant("sound truncated", [](const QString& f) {
        const QByteArray sound = read(lessonSound(f));
        write(lessonSound(f), sound.left(sound.size() / 3 + 1));
    }));
    set.push_back(variant("sound empty", [](const QString& f) { write(lessonSound(f), {}); }));
    set.push_back(variant("sound a folder", [](const QString& f) {
        const QString sound = lessonSound(f);
        QFile::remove(sound);
        QDir().mkpath(sound);
    }));
    return set;
}

}  // namespace lectern::test
