// One tick of the reading window must cost the same on a long page as on a
// short one: it touches two passages, found through the page's id index.
#include "BenchPlatform.h"
#include "exercises/Viewtxt/TViewTxtFrm.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

using namespace lectern;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void writeSilence(const QString& path, int seconds) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    const std::vector<short> second(8000, 0);
    for (int s = 0; s < seconds; ++s)
        sf_write_short(file, second.data(), static_cast<sf_count_t>(second.size()));
    sf_close(file);
}

void ReadingTick(benchmark::State& state) {
    const int passages = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    QByteArray page = "<html><body>\n";
    QStringList marks;
    for (int k = 1; k <= passages; ++k) {
        page +=
            QStringLiteral("<a id=\"a%1\"></a><span id=\"t%1\" class=\"text\">Passage %1.</span>\n")
                .arg(k)
                .toUtf8();
        marks.append(QString::number(k * 1000));
    }
    writeFile(folder.path() + "/page.htm", page + "</body></html>");
    writeSilence(folder.path() + "/sound.wav", 10);

    bench::BenchPlatform services;
    exercises::TViewTxtFrm window(services.platform, nullptr);
    window.CppWebBrowser1->Navigate(folder.path() + "/page.htm");
    QCoreApplication::processEvents();
    window.MarksList = platform::StringList(marks);
    window.TrackBar1->setMaximum(passages - 1);
    window.MediaPlayer1->SetFileName(folder.path() + "/sound.wav");
    window.MediaPlayer1->Open();
    window.m11Click();
    // The sound stands 4 s in, on passage 5 of 10 or of 10,000: every tick
    // highlights it again without passing on.
    window.CurrentMark = 5;
    window.MediaPlayer1->Seek(4000);
    for (auto _ : state)
        window.Timer1Timer();
    if (window.CurrentMark != 5 || services.dialogs.boxes != 0)
        state.SkipWithError("the tick did not stay on passage 5");
}

BENCHMARK(ReadingTick)->Arg(10)->Arg(10000);

}  // namespace
