#pragma once

#include <QString>

namespace lectern::platform {

// A window caption as the window manager gets it: a course sets captions
// (its title, its lessons' captions), and the window manager keeps and
// draws whatever it is given. The text is cut to MaxLength characters
// (never between the halves of a surrogate pair) with its control
// characters removed.
struct WindowCaption {
    static constexpr qsizetype MaxLength = 256;
    static QString of(const QString& text);
};

}  // namespace lectern::platform
