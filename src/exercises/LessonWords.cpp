#include "exercises/LessonWords.h"

#include "platform/Error.h"
#include "platform/dictionary/PageLanguage.h"
#include "platform/dictionary/Words.h"
#include "platform/widgets/TForm.h"
#include "platform/widgets/WindowKeys.h"

#include <QEvent>

namespace lectern::exercises {

LessonWords::LessonWords(platform::TForm& window, platform::WindowKeys& keys, Lesson lesson)
    : window_(window), lesson_(std::move(lesson)) {
    keys.bind(QKeySequence(Qt::Key_L), [this] { chooseFromPassage(); });
    // A window closed under an open popup does not go on when it closes.
    window_.installEventFilter(this);
}

void LessonWords::attach(platform::Words& words) {
    words_ = &words;
    connect(&words, &platform::Words::opened, this, [this] { popupOpened(); });
    connect(&words, &platform::Words::closed, this, [this] { popupClosed(); });
}

bool LessonWords::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Hide)
        held_ = false;
    return false;
}

void LessonWords::popupOpened() {
    // The next word replaces the popup's content: the window stays held.
    if (held_ || !window_.isVisible())
        return;
    window_.guarded([this] { held_ = lesson_.hold(); });
}

void LessonWords::popupClosed() {
    if (std::exchange(held_, false))
        window_.guarded([this] { lesson_.release(); });
}

void LessonWords::chooseFromPassage() {
    if (!words_ || lesson_.recording())
        return;
    const platform::Variant page = lesson_.page();
    if (page.isEmptyOrNull())
        return;
    QString text;
    try {
        text = lesson_.passage().get(QStringLiteral("innerText")).toString();
    } catch (const platform::Error&) {
        return;  // a page without that passage has no words to offer
    }
    words_->chooseFrom(text, platform::pageLanguage(page), &window_);
}

}  // namespace lectern::exercises
