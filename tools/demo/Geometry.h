#pragma once

#include <QList>
#include <QRect>

namespace lectern::demo {

// The window and button geometry of the demo course, the one source of both
// "main.dsg" and the skin pictures, so that every painted button lies exactly
// where the player places its clickable image.
class Geometry {
  public:
    static constexpr int kClientWidth = 1000;
    static constexpr int kWindowHeight = 700;
    static constexpr int kTopBarHeight = 81;
    static constexpr int kBottomBarHeight = 84;
    static constexpr int kLeftEdge = 49;
    static constexpr int kRightEdge = 46;
    static constexpr int kSplashWidth = 600;
    static constexpr int kSplashHeight = 400;

    // Main window buttons on the top bar: Introduction, Run lesson, Help, About, Exit.
    static QList<QRect> mainButtons();
    // The page viewer's "Main menu" button on its bottom bar.
    static QRect viewerButton();
    // The exercise windows' five buttons on the bottom bar: Play, Pause, Stop, Help, Exit.
    static QList<QRect> exerciseButtons();
    // The unit work window's unit button, between the two button groups.
    static QRect unitButton();

    // The sixty lines of "main.dsg".
    static QList<int> designLines();
};

}  // namespace lectern::demo
