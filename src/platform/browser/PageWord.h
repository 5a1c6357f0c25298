#pragma once

#include <QRect>
#include <QString>

namespace lectern::platform {

// A word the learner chose on a page (a double-click, or the word list of a
// passage), with what a lookup needs around it.
struct PageWord {
    static constexpr qsizetype maxWord = 64;
    static constexpr qsizetype maxSentence = 512;

    QString word;
    // The sentence of the passage it stands in, whitespace collapsed.
    QString sentence;
    // The page's language tag ("en", "fr-CA"); empty when the page names none.
    QString language;
    // Where the word is drawn, in global screen coordinates; empty when unknown.
    QRect rect;
};

}  // namespace lectern::platform
