#include "exercises/practice/RecordAndCompare.h"

#include "exercises/practice/LevelMeter.h"
#include "exercises/practice/TakeComparison.h"
#include "platform/Error.h"
#include "platform/Platform.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/Sound.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/media/VoiceContour.h"
#include "platform/widgets/NoticeOverlay.h"
#include "platform/widgets/TForm.h"
#include "platform/widgets/WindowKeys.h"

#include <QFutureWatcher>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QtConcurrent>
#include <algorithm>

namespace lectern::exercises {

namespace {

using Contours = std::pair<platform::VoiceContour, platform::VoiceContour>;

// The model's passage as mono frames.
std::vector<float> monoSpan(const platform::Sound& sound, std::pair<int, int> span) {
    const int rate = sound.format.sampleRate;
    const int channels = sound.format.channels;
    const long long from = std::clamp((long long)span.first * rate / 1000, 0LL, sound.frames());
    const long long to = std::clamp((long long)span.second * rate / 1000, from, sound.frames());
    std::vector<float> mono(std::size_t(to - from));
    for (long long i = from; i < to; ++i) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += sound.frame(i)[c];
        mono[std::size_t(i - from)] = sum / float(channels);
    }
    return mono;
}

}  // namespace

class RecordAndCompare::Analysis {
  public:
    QFutureWatcher<Contours> watcher;
};

RecordAndCompare::RecordAndCompare(platform::TForm& form, platform::WindowKeys& keys,
                                   platform::TMediaPlayer& model, platform::NoticeOverlay& overlay,
                                   Lesson lesson)
    : form_(form),
      model_(model),
      overlay_(overlay),
      lesson_(std::move(lesson)),
      store_(TakeStore::defaultRoot()),
      recorder_(form.platform().audio),
      playback_(form.platform().audio, model),
      analysis_(std::make_unique<Analysis>()) {
    recordTimer_ = new QTimer(&form);
    recordTimer_->setInterval(PollMs);
    playTimer_ = new QTimer(&form);
    playTimer_->setInterval(PollMs);
    meter_ = new LevelMeter(&form);
    comparison_ = new TakeComparison(form);
    form.bindTimer(recordTimer_, [this] { pollRecording(); });
    form.bindTimer(playTimer_, [this] {
        if (!playback_.poll())
            playTimer_->stop();
    });
    form.bind(&analysis_->watcher, &QFutureWatcherBase::finished, [this] {
        Contours contours = analysis_->watcher.result();
        comparison_->showContours(std::move(contours.first), std::move(contours.second));
    });
    keys.bind(QKeySequence(Qt::Key_V), [this] { record(); });
    keys.bind(QKeySequence(Qt::Key_B), [this] { compare(); });
}

RecordAndCompare::~RecordAndCompare() {
    analysis_->watcher.waitForFinished();
}

void RecordAndCompare::useLesson() {
    store_.setLesson(form_.platform().files.courseFolder(), model_.FileName());
}

void RecordAndCompare::record() {
    if (!lesson_.allowed())
        return;
    if (recorder_.recording()) {
        endTake();
        return;
    }
    const int k = lesson_.passage();
    if (k < 1)
        return;
    playback_.stop();
    playTimer_->stop();
    lesson_.pauseLesson();
    passage_ = k;
    span_ = lesson_.span(k);
    lesson_.highlight(k);
    // Posted: the engine calls it on its own thread.
    QPointer<platform::NoticeOverlay> overlay(&overlay_);
    recorder_.start(span_.second - span_.first, [overlay] {
        QMetaObject::invokeMethod(
            overlay,
            [overlay] {
                if (overlay)
                    overlay->showNotice(QStringLiteral("No microphone was found"));
            },
            Qt::QueuedConnection);
    });
    recordTimer_->start();
    meter_->move(form_.width() - meter_->width() - 60, 90);
    meter_->setLevel(-100);
    meter_->show();
    meter_->raise();
    overlay_.showNotice(QStringLiteral("Recording passage %1").arg(k));
}

void RecordAndCompare::pollRecording() {
    // The lesson sound started again (Space) would be recorded: the take ends.
    const bool done = recorder_.poll() || (model_.IsOpen() && model_.Playing());
    meter_->setLevel(recorder_.activity().levelDb());
    if (done)
        endTake();
}

void RecordAndCompare::endTake() {
    recordTimer_->stop();
    meter_->hide();
    TakeRecorder::Take take = recorder_.finish();
    useLesson();
    store_.save(passage_, take.mono, take.rate);
    overlay_.showNotice(QStringLiteral("Take of passage %1 kept: B plays it").arg(passage_));
    compareInBackground(take, span_);
}

void RecordAndCompare::compareInBackground(const TakeRecorder::Take& take,
                                           std::pair<int, int> span) {
    analysis_->watcher.waitForFinished();
    std::shared_ptr<const platform::Sound> model = model_.IsOpen() ? model_.sound() : nullptr;
    analysis_->watcher.setFuture(
        QtConcurrent::run([model, span, mono = take.mono, rate = take.rate]() -> Contours {
            Contours contours;
            if (model) {
                const std::vector<float> passage = monoSpan(*model, span);
                contours.first = platform::VoiceContour::analyse(
                    passage.data(), (long long)passage.size(), model->format.sampleRate);
            }
            contours.second =
                platform::VoiceContour::analyse(mono.data(), (long long)mono.size(), rate);
            return contours;
        }));
}

void RecordAndCompare::waitForComparison() {
    analysis_->watcher.waitForFinished();
    QCoreApplication::sendPostedEvents(&analysis_->watcher);
}

void RecordAndCompare::compare() {
    if (!lesson_.allowed())
        return;
    if (recorder_.recording())
        endTake();
    const int k = lesson_.passage();
    if (k < 1)
        return;
    lesson_.pauseLesson();
    useLesson();
    std::shared_ptr<const platform::Sound> take = store_.load(k);
    if (!take) {
        overlay_.showNotice(QStringLiteral("No take of passage %1 yet: V records one").arg(k));
        return;
    }
    const std::pair<int, int> span = lesson_.span(k);
    playback_.start(span.first, span.second, std::move(take), [this, k](TakePlayback::Part part) {
        if (part == TakePlayback::Part::Done)
            return;
        lesson_.highlight(k);
        overlay_.showNotice(part == TakePlayback::Part::Model ? QStringLiteral("Model")
                                                              : QStringLiteral("Your take"));
    });
    playTimer_->start();
}

void RecordAndCompare::stop() {
    playTimer_->stop();
    playback_.stop();
    if (recorder_.recording())
        endTake();
}

}  // namespace lectern::exercises
