// One tick of the reading window must cost the same on a long page as on a
// short one: it touches two passages, found through the page's id index.
#include "exercises/reading/TViewTxtFrm.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"
#include "support/LessonLists.h"
#include "support/PageFiles.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"
#include "support/WavFiles.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <QCoreApplication>
#include <QDir>

namespace {

using namespace lectern;

void ReadingTick(benchmark::State& state) {
    const int passages = static_cast<int>(state.range(0));
    test::TempDir folder;
    QByteArray passageSpans = "\n";
    QStringList marks;
    for (int k = 1; k <= passages; ++k) {
        passageSpans +=
            QStringLiteral("<a id=\"a%1\"></a><span id=\"t%1\" class=\"text\">Passage %1.</span>\n")
                .arg(k)
                .toUtf8();
        marks.append(QString::number(k * 1000));
    }
    folder.write("data/text/page.htm", test::htmlPage(passageSpans));
    folder.write("data/marks/marks.txt", marks.join('\n').toUtf8());
    QDir().mkpath(folder.path() + "/data/sound");
    test::writeTone(folder.path() + "/data/sound/sound.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000,
                    1, 10000, 0);

    test::TestPlatform services;
    exercises::TViewTxtFrm window(services.platform, nullptr);
    test::LessonLists lists;
    lists.texts = platform::StringList({"page.htm"});
    lists.marks = platform::StringList({"marks.txt"});
    lists.sounds = platform::StringList({"sound.wav"});
    window.RunNarratedReading(lists.entries(folder.path()));
    QCoreApplication::processEvents();
    // The sound stands 4 s in, on passage 5 of 10 or of 10,000: every tick
    // highlights it again without passing on.
    window.TrackBar1->setValue(4);
    window.m11Click();
    for (auto _ : state)
        window.Timer1Timer();
    if (window.CurrentMarkNumber() != 5 || !services.dialogs.boxes.empty())
        state.SkipWithError("the tick did not stay on passage 5");
}

BENCHMARK(ReadingTick)->Arg(10)->Arg(10000);

}  // namespace
