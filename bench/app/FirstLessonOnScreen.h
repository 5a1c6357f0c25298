#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace lectern::bench {

// A course's catalogue file, or the player's log, as lines; throws when it
// cannot be read. Catalogue files keep their empty lines: line n belongs to
// node n.
QStringList readLines(const QString& path, const QString& separator = QStringLiteral("\r\n"),
                      Qt::SplitBehavior empty = Qt::KeepEmptyParts);

// The player run on a course of the demo course's shape, with a
// configuration and data home of its own, and the course's first lesson (a
// narrated reading) opened from the main window as a learner does it: Right,
// Down, Return. Once constructed, the lesson window is open; the player is
// killed with this object.
class FirstLessonOnScreen {
  public:
    // `extra`: entries of the player's environment besides the usual ones.
    FirstLessonOnScreen(const QString& player, const QString& course,
                        const QProcessEnvironment& extra = {});
    ~FirstLessonOnScreen();

    // The lesson window, as xdotool names it.
    const QString& window() const { return window_; }
    // Waits until the passage highlight of the demo pages shows in `area`
    // of the screen; returns its bounds within the area.
    static QRect waitForHighlight(QRect area);
    static QRect highlightBounds(const QImage& shot);
    // Ends the player, so that what it wrote is all there.
    void stop();

  private:
    QTemporaryDir home_;
    QProcess player_;
    QString window_;
};

}  // namespace lectern::bench
