// Moving the highlight on a page must not cost more as the page grows: ids
// are looked up in the document's index, never by walking the page.
#include "exercises/markup/PageMarkup.h"
#include "platform/browser/DocumentModel.h"
#include "support/PageFiles.h"

#include <benchmark/benchmark.h>

namespace {

using lectern::platform::DocumentModel;

QByteArray pageWithPassages(int count) {
    QByteArray passages = "\n";
    for (int k = 1; k <= count; ++k)
        passages += QStringLiteral(
                        "<a id=\"a%1\" href=\"#\"></a><p id=\"t%1\" class=\"%2\">Passage %1 of the "
                        "lesson, long enough to read.</p>\n")
                        .arg(k)
                        .arg(k % 5 == 0 ? "comm" : "text")
                        .toUtf8();
    return lectern::test::htmlPage(passages, "<title>Passages</title>");
}

void ShowPassageBench(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto model = DocumentModel::parse(pageWithPassages(count), "UTF-8", "bench");
    const auto document = model->document();
    int k = 1;
    for (auto _ : state) {
        const int next = k % count + 1;
        lectern::exercises::MoveHighlight(document, k, next);
        k = next;
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(ShowPassageBench)->Name("ShowPassage")->Arg(10)->Arg(10000);

}  // namespace
