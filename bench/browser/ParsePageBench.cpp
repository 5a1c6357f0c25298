// A lesson opened again shows its page only once the page's model is made:
// the parse of a long page stands between "Run lesson" and the highlight.
#include "platform/browser/DocumentModel.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <QThreadPool>

namespace {

using lectern::platform::DocumentModel;

// The shape of a narrated lesson's page: an anchor and a passage per mark.
QByteArray longPage(int passages) {
    QByteArray page =
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Long</title>"
        "<link rel=\"stylesheet\" href=\"lesson.css\"></head><body><h1>Long</h1>\n";
    for (int k = 1; k <= passages; ++k)
        page += QStringLiteral(
                    "<p><a id=\"a%1\" class=\"anchor\"></a><span id=\"t%1\" "
                    "class=\"text\">Passage %1 of the lesson, long enough to read "
                    "aloud.</span></p>\n")
                    .arg(k)
                    .toUtf8();
    return page + "</body></html>\n";
}

void ParsePage(benchmark::State& state) {
    const QByteArray page = longPage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto model = DocumentModel::parse(page, QByteArray(), QStringLiteral("bench"));
        benchmark::DoNotOptimize(model->elementById(QStringLiteral("t1")));
        // What an open lesson holds for its page, besides the engine's copy.
        state.counters["model_MB"] = double(mallinfo2().uordblks - before) / (1024 * 1024);
        // A long page's tree is freed on a worker; the next parse must not
        // share the allocator with it, as none does in the player.
        state.PauseTiming();
        model.reset();
        QThreadPool::globalInstance()->waitForDone();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

BENCHMARK(ParsePage)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
