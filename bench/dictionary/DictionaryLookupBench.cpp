// A lookup must stay well under a millisecond in a 100,000-entry index: a
// binary search over the mapped file, nothing read but the lines it touches.
// The second one reads an entry of the installed English-French dictionary
// through dictzip, as the popup does.
#include "platform/dictionary/DictIndex.h"
#include "platform/dictionary/Dictionary.h"

#include <benchmark/benchmark.h>
#include <QFile>
#include <QRandomGenerator>

namespace {

using namespace lectern::platform;

constexpr int entries = 100'000;

QByteArray base64(quint64 n) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QByteArray out;
    do {
        out.prepend(digits[n % 64]);
        n /= 64;
    } while (n);
    return out;
}

// "word000000" to "word099999", in order, each with an entry of 40 bytes.
QByteArray largeIndex() {
    QByteArray index;
    for (int i = 0; i < entries; ++i)
        index += "word" + QByteArray::number(i).rightJustified(6, '0') + '\t' +
                 base64(quint64(i) * 40) + "\to\n";
    return index;
}

void BM_DictIndexLookup(benchmark::State& state) {
    const QByteArray bytes = largeIndex();
    const DictIndex index{QByteArrayView(bytes)};
    QRandomGenerator random(7);
    for (auto _ : state) {
        const QString word =
            QStringLiteral("word%1").arg(random.bounded(entries), 6, 10, QLatin1Char('0'));
        const auto found = index.find(word);
        if (found.size() != 1)
            state.SkipWithError("a word of the index was not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_DictIndexLookup)->Unit(benchmark::kMicrosecond);

void BM_InstalledDictionaryEntry(benchmark::State& state) {
    const QString index = QStringLiteral("/usr/share/dictd/freedict-eng-fra.index");
    if (!QFile::exists(index)) {
        state.SkipWithError("dict-freedict-eng-fra is not installed (tools/setup installs it)");
        return;
    }
    const Dictionary dictionary(index);
    const QStringList words = {QStringLiteral("creature"), QStringLiteral("planet"),
                               QStringLiteral("walk"), QStringLiteral("zebra")};
    int n = 0;
    for (auto _ : state) {
        const QStringList found = dictionary.entries(words[n++ % words.size()]);
        if (found.isEmpty())
            state.SkipWithError("a common word was not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_InstalledDictionaryEntry)->Unit(benchmark::kMicrosecond);

}  // namespace
