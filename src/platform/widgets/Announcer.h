#pragma once

class QString;
class QWidget;

namespace lectern::platform {

// Tells a screen reader `text` without moving the keyboard focus: a change
// of state the learner caused by a key (a pace, a pause, the end of a
// lesson) or one that came by itself (the time is up). `source` is the
// widget that shows it, or the window it happened in.
void announce(QWidget* source, const QString& text);

}  // namespace lectern::platform
