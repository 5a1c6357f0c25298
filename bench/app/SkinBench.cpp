// Dressing all six windows in the demo course's skin (the start-up's share
// of JPEG decoding), and decoding one large picture.
#include "app/WindowSet.h"
#include "app/skin/WindowSkins.h"
#include "platform/StringList.h"
#include "platform/jpeg/TJPEGImage.h"
#include "support/TestPlatform.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace {

using namespace lectern;

QString demoCourse() {
    const QByteArray set = qgetenv("LECTERN_DEMO_COURSE");
    return set.isEmpty() ? QStringLiteral(LECTERN_BINARY_DIR "/demo-course")
                         : QString::fromLocal8Bit(set);
}

void LoadSkins(benchmark::State& state) {
    const QString course = demoCourse();
    if (!QFileInfo::exists(course + "/main.dsg")) {
        state.SkipWithError("no demo course built");
        return;
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(course);
    {
        test::TestPlatform services;
        app::WindowSet windows(services.platform);
        platform::StringList layout;
        layout.LoadFromFile(services.files, "main.dsg");
        for (auto _ : state) {
            platform::PictureBudget pictures(4 * platform::TJPEGImage::MaxPixels);
            app::LoadSkins(windows, layout, services.files, pictures);
        }
    }
    QDir::setCurrent(previous);
}
BENCHMARK(LoadSkins)->Unit(benchmark::kMillisecond);

void DecodeLargeJpeg(benchmark::State& state) {
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 255, y & 255, (x * y) & 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", 90);
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::TJPEGImage::decode(bytes));
}
BENCHMARK(DecodeLargeJpeg)->Unit(benchmark::kMillisecond);

}  // namespace
