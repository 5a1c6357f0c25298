#pragma once

#include "exercises/practice/TakePlayback.h"
#include "exercises/practice/TakeRecorder.h"
#include "exercises/practice/TakeStore.h"

#include <QString>
#include <functional>
#include <utility>

class QTimer;

namespace lectern::platform {
class NoticeOverlay;
class TForm;
class TMediaPlayer;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

class LevelMeter;
class TakeComparison;

// Record and compare in a lesson window: V records the learner saying the
// current passage (the lesson sound paused, the page in view, a level
// meter showing) and ends the take on V again, after a silence that
// follows speech, or at twice the passage's length; the take is kept and a
// picture compares it with the model. B plays the passage's model sound and
// then the take, the passage highlighted for each.
class RecordAndCompare {
  public:
    // What the window tells about its lesson.
    struct Lesson {
        // False in lessons that record in their own way.
        std::function<bool()> allowed;
        // The current passage, or 0 when there is none.
        std::function<int()> passage;
        // Where passage k starts and ends in the model sound, in ms.
        std::function<std::pair<int, int>(int k)> span;
        // Pauses the lesson's own playing, if it plays.
        std::function<void()> pauseLesson;
        std::function<void(int k)> highlight;
    };

    static constexpr int PollMs = 20;

    RecordAndCompare(platform::TForm& form, platform::WindowKeys& keys,
                     platform::TMediaPlayer& model, platform::NoticeOverlay& overlay,
                     Lesson lesson);
    ~RecordAndCompare();

    // V and B.
    void record();
    void compare();
    // Ends whatever runs; a take in progress is kept. For the window's close.
    void stop();

    bool recording() const { return recorder_.recording(); }
    TakePlayback::Part playing() const { return playback_.part(); }
    TakeStore& store() { return store_; }
    QTimer* recordTimer() const { return recordTimer_; }
    QTimer* playTimer() const { return playTimer_; }
    LevelMeter* meter() const { return meter_; }
    TakeComparison* comparison() const { return comparison_; }
    // Waits for the comparison of the last take to be drawn (tests).
    void waitForComparison();

  private:
    void pollRecording();
    void endTake();
    void compareInBackground(const TakeRecorder::Take& take, std::pair<int, int> span);
    void useLesson();

    platform::TForm& form_;
    platform::TMediaPlayer& model_;
    platform::NoticeOverlay& overlay_;
    Lesson lesson_;
    TakeStore store_;
    TakeRecorder recorder_;
    TakePlayback playback_;
    QTimer* recordTimer_;
    QTimer* playTimer_;
    LevelMeter* meter_;
    TakeComparison* comparison_;
    int passage_ = 0;
    std::pair<int, int> span_{0, 0};
    class Analysis;
    std::unique_ptr<Analysis> analysis_;
};

}  // namespace lectern::exercises
