#pragma once

#include "platform/widgets/ButtonBar.h"
#include "platform/widgets/TForm.h"
#include "platform/widgets/TImage.h"

#include <QFrame>
#include <initializer_list>

class QHBoxLayout;

namespace lectern::platform {

// A window that wears the course's skin: a picture bar at the top (Panel1
// with its background Image3) and at the bottom (Panel2, Image4), a narrow
// picture at the left (Image1) and right (Image2) edge, and the window's own
// content filling the rest. A window the screen is too small for shrinks as
// a whole: bars, edges, pictures and the buttons' hover and click areas
// scale by one factor, so that they stay where the pictures show them.
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

    // The factor the skin is drawn at: 1, or less on a screen too small
    // for the design.
    double SkinScale() const { return scale_; }

    // The window's picture buttons, and the first five by the names the
    // course's geometry and pictures give them: holders m1 to m5 below
    // clickables m11 to m55. A window with fewer buttons has no more names.
    ButtonBar& Buttons() { return buttons_; }
    const ButtonBar& Buttons() const { return buttons_; }
    TImage* m1() const { return buttons_.holder(0); }
    TImage* m2() const { return buttons_.holder(1); }
    TImage* m3() const { return buttons_.holder(2); }
    TImage* m4() const { return buttons_.holder(3); }
    TImage* m5() const { return buttons_.holder(4); }
    TImage* m11() const { return buttons_.clickable(0); }
    TImage* m22() const { return buttons_.clickable(1); }
    TImage* m33() const { return buttons_.clickable(2); }
    TImage* m44() const { return buttons_.clickable(3); }
    TImage* m55() const { return buttons_.clickable(4); }

    // The buttons of an exercise window on its bottom bar, in their
    // design-time row.
    void addButtons(std::initializer_list<ButtonBar::Design> buttons);

  protected:
    QSize fitClientSize(QSize design, QSize area) override;

  private:
    // The least a skin is shrunk to fit the screen; a design that needs
    // more is not followed.
    static constexpr double minScale = 0.5;

    int scaled(int designed) const;
    void applyScale();

    QWidget* content_;
    ButtonBar buttons_;
    Design design_;
    double scale_ = 1.0;
};

}  // namespace lectern::platform
