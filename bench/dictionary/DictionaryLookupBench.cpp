// A lookup must stay well under a millisecond in a 100,000-entry index: a
// binary search over the mapped file, nothing read but the lines it touches.
// The second one reads an entry of the installed English-French dictionary
// through dictzip, as the popup does.
#include "platform/dictionary/DictIndex.h"
#include "platform/dictionary/Dictionaries.h"
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

// A line of /proc/self/status ("VmRSS", "RssAnon", "RssFile"), in bytes.
double statusBytes(const QByteArray& name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toDouble() * 1024;
    return 0;
}

// What the installed dictionaries cost once opened and asked for state.range(0)
// rounds of twelve words each (a round past the first asks for words they
// lack): the files are mapped, so only the pages read count. extra_MB is
// the growth of the resident set, anon_MB the part that is not file pages
// (which the kernel may drop at any time).
void BM_InstalledDictionariesMemory(benchmark::State& state) {
    const QStringList words = {"house",  "creature", "planet", "walk",  "star",   "water",
                               "maison", "chien",    "eau",    "zebra", "abacus", "sun"};
    for (auto _ : state) {
        const double before = statusBytes("VmRSS");
        const double anonBefore = statusBytes("RssAnon");
        const Dictionaries dictionaries(QStringList{QStringLiteral("/usr/share/dictd")});
        int found = 0;
        for (int round = 0; round < state.range(0); ++round)
            for (const auto& dictionary : dictionaries.all())
                for (const QString& word : words)
                    found +=
                        int(dictionary->entries(word + (round ? QString::number(round) : QString()))
                                .size());
        state.counters["dictionaries"] = double(dictionaries.all().size());
        state.counters["entries"] = found;
        state.counters["extra_MB"] = (statusBytes("VmRSS") - before) / double(1 << 20);
        state.counters["anon_MB"] = (statusBytes("RssAnon") - anonBefore) / double(1 << 20);
    }
}
BENCHMARK(BM_InstalledDictionariesMemory)
    ->Arg(1)
    ->Arg(20)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
