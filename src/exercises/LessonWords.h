#pragma once

#include "platform/browser/Variant.h"

#include <QObject>
#include <functional>

namespace lectern::platform {
class TForm;
class WindowKeys;
class Words;
}  // namespace lectern::platform

namespace lectern::exercises {

// A lesson window's share of looking words up: while a word's popup is open
// the window's sound waits where it stands and goes on from there when the
// popup closes; `L` offers the current passage's words; nothing is looked
// up while the window records.
class LessonWords : public QObject {
  public:
    struct Lesson {
        // Holds the window's playing, if it plays; true when it was held.
        std::function<bool()> hold;
        // Goes on from where hold() left it.
        std::function<void()> release;
        // The current passage's element, and the page it is in.
        std::function<platform::Variant()> passage;
        std::function<platform::Variant()> page;
        // The learner's voice is being recorded.
        std::function<bool()> recording;
    };

    LessonWords(platform::TForm& window, platform::WindowKeys& keys, Lesson lesson);

    // The popup and the word list this window's pages use.
    void attach(platform::Words& words);
    bool recording() const { return lesson_.recording(); }
    bool holding() const { return held_; }

    // `L`: the current passage's words, to choose one to look up.
    void chooseFromPassage();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void popupOpened();
    void popupClosed();

    platform::TForm& window_;
    Lesson lesson_;
    platform::Words* words_ = nullptr;
    bool held_ = false;
};

}  // namespace lectern::exercises
