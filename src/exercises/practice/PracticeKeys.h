#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace lectern::platform {
class StringList;
class TCppWebBrowser;
class TForm;
class TMediaPlayer;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

class NarrationSpeed;
class PassagePause;
class RecordAndCompare;
class SyncOffset;
class TextZoom;

// The practice keys of a window that plays a narrated text passage by
// passage, each remembered per course and shown in one notice overlay over
// the window's top bar: the sound's pace, pause after each passage, the
// sync offset, the page size, and record and compare.
class PracticeKeys {
  public:
    // What the window tells about its lesson.
    struct Lesson {
        // The passages' end marks and the current passage, the window's own.
        const platform::StringList& marks;
        const int& current;
        // True in a lesson that records in its own way, where V and B do
        // nothing.
        std::function<bool()> recordsItself;
        // The end mark (ms) of the passage that plays, while pausing after
        // each passage.
        std::function<int()> passageEnd;
        // Pauses the lesson while it plays.
        std::function<void()> pause;
        // Plays on after a pause after a passage, unless stopped meanwhile.
        std::function<void()> goOn;
        std::function<void(int k)> highlight;
    };

    // `players[0]` plays the lesson sound (and the model of B); all of them
    // take the pace. `band` is the part of the window the overlay shows over.
    PracticeKeys(platform::TForm& form, platform::WindowKeys& keys,
                 std::vector<platform::TMediaPlayer*> players,
                 std::vector<platform::TCppWebBrowser*> pages, QWidget* band, Lesson lesson);
    ~PracticeKeys();

    // Takes the choices remembered for the course in `courseFolder`.
    void load(const QString& courseFolder);
    // Before the lesson sound plays a passage: B stops, as the lesson goes
    // on alone, and the stop after the passage is set.
    void lessonPlays();

    std::unique_ptr<NarrationSpeed> Speed;
    std::unique_ptr<PassagePause> PauseAfter;
    std::unique_ptr<SyncOffset> Sync;
    std::unique_ptr<TextZoom> Zoom;
    // V records the learner saying the current passage, B compares.
    std::unique_ptr<RecordAndCompare> Takes;
};

}  // namespace lectern::exercises
