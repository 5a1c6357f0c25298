#include "app/skin/SkinLoader.h"

#include "catalogue/Layout.h"
#include "platform/CourseFiles.h"
#include "platform/StringList.h"
#include "platform/jpeg/TJPEGImage.h"

#include <initializer_list>

namespace lectern::app {
namespace {

using platform::SkinnedForm;
using platform::TImage;
using platform::TJPEGImage;

// First geometry line of each button of the exercise windows: m1 .. m5.
constexpr std::array<int, 5> exerciseButtonLines{34, 38, 42, 46, 52};
constexpr int mainButtonLines = 10;
constexpr int viewButtonLines = 30;
constexpr int unitButtonLines = 56;

// The two reusable pictures A and B, and how a window's bars take them.
class Skinner : public catalogue::Layout {
  public:
    Skinner(const platform::StringList& layout, const platform::CourseFiles& files,
            platform::PictureBudget& pictures)
        : Layout(layout), files_(files), pictures_(pictures) {}

    int line(int index) const { return (*this)[index]; }

    void load(TJPEGImage& picture, const char* name) {
        picture.LoadFromFile(files_, QStringLiteral("gdata\\") + QLatin1String(name), &pictures_);
    }

    void bars(const SkinnedWindow& window) {
        SkinnedForm& form = *window.form;
        form.Image3->SetPicture(A.Image());
        SkinnedForm::SizeBar(form.Panel1, form.Image3, line(3), line(4));
        form.Image4->SetPicture(B.Image());
        SkinnedForm::SizeBar(form.Panel2, form.Image4, line(6), line(7));
    }

    TJPEGImage A;
    TJPEGImage B;

  private:
    const platform::CourseFiles& files_;
    platform::PictureBudget& pictures_;
};

void place(const catalogue::Layout& layout, int firstLine, std::initializer_list<TImage*> images) {
    const catalogue::Layout::Bounds bounds = layout.button(firstLine);
    for (TImage* image : images)
        image->SetBounds(bounds.width, bounds.height, bounds.top, bounds.left);
}

}  // namespace

void LoadSkinPictures(const SkinTargets& w, const platform::StringList& layout,
                      const platform::CourseFiles& files, platform::PictureBudget& pictures) {
    Skinner skin(layout, files, pictures);
    TJPEGImage& A = skin.A;
    TJPEGImage& B = skin.B;

    skin.load(A, "top2.jpg");
    skin.load(B, "bot2.jpg");
    skin.bars(w.view);
    skin.load(B, "bot3.jpg");
    for (const SkinnedWindow* window : {&w.viewTxt, &w.multi, &w.sort, &w.workTxt})
        skin.bars(*window);
    skin.load(A, "top.jpg");
    skin.load(B, "bot.jpg");
    skin.bars(w.main);

    const std::initializer_list<const SkinnedWindow*> edgeOrder{&w.main, &w.view,    &w.multi,
                                                                &w.sort, &w.viewTxt, &w.workTxt};
    skin.load(A, "left.jpg");
    for (const SkinnedWindow* window : edgeOrder) {
        window->form->Image1->SetPicture(A.Image());
        SkinnedForm::SizeEdge(window->form->Image1, skin.line(8));
    }
    skin.load(A, "right.jpg");
    for (const SkinnedWindow* window : edgeOrder) {
        window->form->Image2->SetPicture(A.Image());
        SkinnedForm::SizeEdge(window->form->Image2, skin.line(9));
    }

    skin.load(A, "m1.jpg");
    w.main.holders[0]->SetPicture(A.Image());
    skin.load(A, "m6.jpg");
    w.view.holders[0]->SetPicture(A.Image());
    static const char* const exercisePictures[5] = {"m7.jpg", "m8.jpg", "m9.jpg", "m10.jpg",
                                                    "m11.jpg"};
    for (int button = 0; button < 5; ++button) {
        skin.load(A, exercisePictures[button]);
        for (const SkinnedWindow* window : {&w.multi, &w.sort, &w.viewTxt, &w.workTxt})
            window->holders[button]->SetPicture(A.Image());
    }
    skin.load(A, "c1.jpg");
    w.workTxt.c->SetPicture(A.Image());
    skin.load(A, "c2a.jpg");
    w.workTxt.ca->SetPicture(A.Image());
    static const char* const mainPictures[4] = {"m2.jpg", "m3.jpg", "m4.jpg", "m5.jpg"};
    for (int button = 1; button < 5; ++button) {
        skin.load(A, mainPictures[button - 1]);
        w.main.holders[button]->SetPicture(A.Image());
    }
}

void PlaceButtonImages(const SkinTargets& w, const platform::StringList& layout) {
    const catalogue::Layout skin(layout);
    for (int button = 0; button < 5; ++button)
        place(skin, mainButtonLines + 4 * button,
              {w.main.holders[button], w.main.clickables[button]});
    place(skin, viewButtonLines, {w.view.holders[0], w.view.clickables[0]});
    for (const SkinnedWindow* window : {&w.viewTxt, &w.multi, &w.sort, &w.workTxt}) {
        for (int button = 0; button < 5; ++button)
            place(skin, exerciseButtonLines[button],
                  {window->holders[button], window->clickables[button]});
    }
    place(skin, unitButtonLines, {w.workTxt.c, w.workTxt.ca, w.workTxt.caa});
}

}  // namespace lectern::app
