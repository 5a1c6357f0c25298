// Loading a course's catalogue must grow linearly with the number of nodes:
// every file read and the tree built, as the main window's start-up does.
#include "app/WindowSet.h"
#include "mainwindow/TMainFrm.h"
#include "support/TestPlatform.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace lectern;

void writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    for (const QString& line : lines)
        file.write(line.toUtf8() + "\r\n");
}

// A course of `nodes` nodes: chapters of twenty lessons each.
void writeCatalogue(const QString& folder, int nodes) {
    QStringList tree, types, sounds, texts, descriptions, times, captions, marks;
    for (int i = 0; i < nodes; ++i) {
        const bool chapter = i % 21 == 0;
        tree.append(chapter ? QStringLiteral("Chapter %1").arg(i / 21 + 1)
                            : QStringLiteral("\tLesson %1").arg(i));
        types.append(chapter ? "0" : "1");
        sounds.append(QStringLiteral("lesson%1.wav").arg(i));
        texts.append(QStringLiteral("chapter%1\\lesson%2.htm").arg(i / 21).arg(i));
        descriptions.append(QStringLiteral("lesson%1.htm").arg(i));
        times.append("60");
        captions.append(QStringLiteral("Lesson %1 of the course").arg(i));
        marks.append(QStringLiteral("lesson%1.txt").arg(i));
    }
    writeLines(folder + "/main.mrb", tree);
    writeLines(folder + "/main.mtp", types);
    writeLines(folder + "/sound.mtp", sounds);
    writeLines(folder + "/name.mtp", captions);
    writeLines(folder + "/text.mtp", texts);
    writeLines(folder + "/trans.mtp", texts);
    writeLines(folder + "/descr.mtp", descriptions);
    writeLines(folder + "/time.mtp", times);
    writeLines(folder + "/zagol.mtp", captions);
    writeLines(folder + "/zmarks.mtp", marks);
    writeLines(folder + "/wind.mtp",
               {"Course", "s.jpg", "0", "I", "i.htm", "0", "A", "a.htm", "0"});
    writeLines(folder + "/main.dsg", QStringList(60, "100"));
    writeLines(folder + "/main.rbp", {"reserved"});
}

void CatalogueLoad(benchmark::State& state) {
    QTemporaryDir folder;
    writeCatalogue(folder.path(), static_cast<int>(state.range(0)));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    {
        test::TestPlatform services;
        app::WindowSet windows(services.platform);
        mainwindow::TMainFrm& main = *windows.MainFrm;
        for (auto _ : state)
            main.ReloadCatalogue();
        state.counters["nodes"] = main.TreeModel->tree().size();
    }
    QDir::setCurrent(previous);
}

BENCHMARK(CatalogueLoad)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
