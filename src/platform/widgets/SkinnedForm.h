#pragma once

#include "platform/widgets/TForm.h"
#include "platform/widgets/TImage.h"

#include <QFrame>
#include <initializer_list>

class QHBoxLayout;

namespace lectern::platform {

// A window that wears the course's skin: a picture bar at the top (Panel1
// with its background Image3) and at the bottom (Panel2, Image4), a narrow
// picture at the left (Image1) and right (Image2) edge, and the window's own
// content filling the rest.
class SkinnedForm : public TForm {
    Q_OBJECT
  public:
    struct Design {
        int clientWidth;
        int clientHeight;
        int topBarHeight;
        int bottomBarHeight;
        int leftEdgeWidth;
        int rightEdgeWidth;
    };

    SkinnedForm(Platform& platform, Frame frame, Position position, QWidget* mainForm,
                const Design& design);

    QFrame* Panel1;
    QFrame* Panel2;
    TImage* Image1;
    TImage* Image2;
    TImage* Image3;
    TImage* Image4;

    // The space between the bars and the edges, for the window's content.
    QWidget* Content() const { return content_; }

    // Sets a bar's height; its background picture covers the whole bar.
    static void SizeBar(QFrame* bar, TImage* background, int width, int height);
    static void SizeEdge(TImage* edge, int width);

    // A hover over a button: its holder lights (shown only when hidden, so a
    // lit button is not repainted), the holders listed in dark go out. With no
    // holder to light, a hover over a bar's background.
    static void LightHolder(TImage* lit, std::initializer_list<TImage*> dark);

  protected:
    struct ButtonSlot {
        TImage*& holder;
        TImage*& clickable;
        QString hint;
    };
    // Creates picture buttons on a bar, all holders first and then the
    // clickables, so that every clickable lies above every holder. They get
    // a design-time row from the left; the course's geometry moves them.
    void addButtons(QFrame* bar, std::initializer_list<ButtonSlot> buttons);

    // A button pair on a bar: the hidden picture holder below, the clickable
    // transparent image above.
    TImage* addHolder(QFrame* bar);
    TImage* addClickable(QFrame* bar, const QString& hint);

  private:
    QWidget* content_;
};

}  // namespace lectern::platform
