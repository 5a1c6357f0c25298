// The reading window and the words of its page: the narration waits while
// a word's popup is open, and `L` lists the current passage's words.
#include "exercises/reading/TViewTxtFrm.h"

#include "platform/Error.h"
#include "platform/media/TMediaPlayer.h"

#include <algorithm>

namespace lectern::exercises {

namespace {

// The page's language tag from its root element, empty when it has none.
QString pageLanguage(const platform::Variant& document) {
    try {
        const platform::Variant roots =
            document.call(QStringLiteral("getElementsByTagName"), QStringLiteral("html"));
        return roots.get(QStringLiteral("0")).get(QStringLiteral("lang")).toString();
    } catch (const platform::Error&) {
        return {};
    }
}

}  // namespace

bool TViewTxtFrm::IsRecording() const {
    return isVisible() && RecordingMode && (Timer1->isActive() || Timer2->isActive());
}

void TViewTxtFrm::pauseForLookup() {
    if (!isVisible() || RecordingMode || Paused || !Timer1->isActive())
        return;
    MediaPlayer1->Pause();
    Timer1->stop();
    HeldForLookup = true;
}

void TViewTxtFrm::resumeAfterLookup() {
    if (!HeldForLookup)
        return;
    HeldForLookup = false;
    MediaPlayer1->Pause();  // a paused player goes on where it stood
    Timer1->start();
}

void TViewTxtFrm::chooseWordOfPassage() {
    if (!ChooseWord || PageDocument.isEmptyOrNull() || IsRecording())
        return;
    // Before a passage is passed, the current one is the one shown.
    const int k = std::max(1, std::min(CurrentMark, MarksList.Count()));
    QString text;
    try {
        text = passage(k).get(QStringLiteral("innerText")).toString();
    } catch (const platform::Error&) {
        return;  // a page without that passage has no words to offer
    }
    ChooseWord(text, pageLanguage(PageDocument), this);
}

}  // namespace lectern::exercises
