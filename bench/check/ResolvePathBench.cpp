// Resolving the entries of a large course whose names all differ in letter
// case from its files, against resolving them when they match.
#include "platform/files/CourseFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using lectern::platform::CourseFiles;

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;  // 10,000 entries

// A course of 10,000 pages in 100 folders, and its entries three ways: as
// the files are named, with the file names in another case, and with every
// part in another case.
struct LargeCourse {
    QTemporaryDir dir;
    QStringList matching, fileCaseDiffers, allCaseDiffers;

    LargeCourse() {
        const QString app = dir.path();
        for (int f = 0; f < kFolders; ++f) {
            const QString folder = QStringLiteral("Unit%1").arg(f, 2, 10, QLatin1Char('0'));
            QDir().mkpath(app + "/Data/Text/" + folder);
            for (int n = 0; n < kFilesPerFolder; ++n) {
                const QString name = QStringLiteral("Lesson_Page_%1.htm").arg(n);
                QFile(app + "/Data/Text/" + folder + "/" + name).open(QIODevice::WriteOnly);
                matching.append(app + "\\Data\\Text\\" + folder + "\\" + name);
                fileCaseDiffers.append(app + "\\Data\\Text\\" + folder + "\\" + name.toLower());
                allCaseDiffers.append(app + "\\DATA\\text\\" + folder.toUpper() + "\\" +
                                      name.toUpper());
            }
        }
    }
};

LargeCourse& course() {
    static LargeCourse instance;
    return instance;
}

void resolveAll(benchmark::State& state, const QStringList& entries) {
    CourseFiles files;
    for (const QString& entry : entries)  // the first lookups list the folders
        benchmark::DoNotOptimize(files.resolve(entry));
    for (auto _ : state)
        for (const QString& entry : entries)
            benchmark::DoNotOptimize(files.resolve(entry));
    state.SetItemsProcessed(state.iterations() * entries.size());
}

void ResolvePath_Matching(benchmark::State& state) {
    resolveAll(state, course().matching);
}
void ResolvePath_FileNamesInAnotherCase(benchmark::State& state) {
    resolveAll(state, course().fileCaseDiffers);
}
void ResolvePath_EveryPartInAnotherCase(benchmark::State& state) {
    resolveAll(state, course().allCaseDiffers);
}

// A fresh course file access each time: every folder is listed once.
void ResolvePath_EveryPartInAnotherCaseCold(benchmark::State& state) {
    for (auto _ : state) {
        CourseFiles files;
        for (const QString& entry : course().allCaseDiffers)
            benchmark::DoNotOptimize(files.resolve(entry));
    }
    state.SetItemsProcessed(state.iterations() * course().allCaseDiffers.size());
}

}  // namespace

BENCHMARK(ResolvePath_Matching)->Unit(benchmark::kMillisecond);
BENCHMARK(ResolvePath_FileNamesInAnotherCase)->Unit(benchmark::kMillisecond);
BENCHMARK(ResolvePath_EveryPartInAnotherCase)->Unit(benchmark::kMillisecond);
BENCHMARK(ResolvePath_EveryPartInAnotherCaseCold)->Unit(benchmark::kMillisecond);
