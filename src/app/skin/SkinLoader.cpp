#include "app/skin/SkinLoader.h"

#include "app/WindowSet.h"
#include "catalogue/Layout.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/TMainFrm.h"
#include "platform/StringList.h"
#include "platform/files/CourseFiles.h"
#include "platform/jpeg/TJPEGImage.h"

#include <array>
#include <initializer_list>

namespace lectern::app {
namespace {

using platform::SkinnedForm;
using platform::TJPEGImage;
using Windows = std::initializer_list<SkinnedForm*>;

// First geometry line of each button of the exercise windows: m1 .. m5,
// then the unit work window's unit button.
constexpr std::array<int, 6> exerciseButtonLines{34, 38, 42, 46, 52, 56};
constexpr int unitButton = 5;
constexpr int mainButtonLines = 10;
constexpr int viewButtonLines = 30;

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

    void bars(SkinnedForm& form) {
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

// Every image of one button, resting picture, holder, clickable, in this order.
void place(const catalogue::Layout& layout, int firstLine, SkinnedForm* window, int button) {
    const catalogue::Layout::Bounds bounds = layout.button(firstLine);
    window->Buttons().place(button, bounds.width, bounds.height, bounds.top, bounds.left);
}

}  // namespace

void LoadSkinPictures(const WindowSet& w, const platform::StringList& layout,
                      const platform::CourseFiles& files, platform::PictureBudget& pictures) {
    Skinner skin(layout, files, pictures);
    TJPEGImage& A = skin.A;
    TJPEGImage& B = skin.B;

    skin.load(A, "top2.jpg");
    skin.load(B, "bot2.jpg");
    skin.bars(*w.ViewFrm);
    skin.load(B, "bot3.jpg");
    for (SkinnedForm* window : Windows{w.ViewTxtFrm, w.MultiFrm, w.frmSort, w.WorkTxtFrm})
        skin.bars(*window);
    skin.load(A, "top.jpg");
    skin.load(B, "bot.jpg");
    skin.bars(*w.MainFrm);

    const Windows edgeOrder{w.MainFrm, w.ViewFrm,    w.MultiFrm,
                            w.frmSort, w.ViewTxtFrm, w.WorkTxtFrm};
    skin.load(A, "left.jpg");
    for (SkinnedForm* window : edgeOrder) {
        window->Image1->SetPicture(A.Image());
        SkinnedForm::SizeEdge(window->Image1, skin.line(8));
    }
    skin.load(A, "right.jpg");
    for (SkinnedForm* window : edgeOrder) {
        window->Image2->SetPicture(A.Image());
        SkinnedForm::SizeEdge(window->Image2, skin.line(9));
    }

    skin.load(A, "m1.jpg");
    w.MainFrm->m1()->SetPicture(A.Image());
    skin.load(A, "m6.jpg");
    w.ViewFrm->m1()->SetPicture(A.Image());
    static const char* const exercisePictures[5] = {"m7.jpg", "m8.jpg", "m9.jpg", "m10.jpg",
                                                    "m11.jpg"};
    for (int button = 0; button < 5; ++button) {
        skin.load(A, exercisePictures[button]);
        for (SkinnedForm* window : Windows{w.MultiFrm, w.frmSort, w.ViewTxtFrm, w.WorkTxtFrm})
            window->Buttons().holder(button)->SetPicture(A.Image());
    }
    skin.load(A, "c1.jpg");
    w.WorkTxtFrm->Buttons()[unitButton].resting->SetPicture(A.Image());
    skin.load(A, "c2a.jpg");
    w.WorkTxtFrm->Buttons().holder(unitButton)->SetPicture(A.Image());
    static const char* const mainPictures[4] = {"m2.jpg", "m3.jpg", "m4.jpg", "m5.jpg"};
    for (int button = 1; button < 5; ++button) {
        skin.load(A, mainPictures[button - 1]);
        w.MainFrm->Buttons().holder(button)->SetPicture(A.Image());
    }
}

void PlaceButtonImages(const WindowSet& w, const platform::StringList& layout) {
    const catalogue::Layout skin(layout);
    for (int button = 0; button < 5; ++button)
        place(skin, mainButtonLines + 4 * button, w.MainFrm, button);
    place(skin, viewButtonLines, w.ViewFrm, 0);
    // The unit work window's unit button, its sixth, comes last.
    for (SkinnedForm* window : Windows{w.ViewTxtFrm, w.MultiFrm, w.frmSort, w.WorkTxtFrm}) {
        for (int button = 0; button < window->Buttons().count(); ++button)
            place(skin, exerciseButtonLines.at(button), window, button);
    }
}

}  // namespace lectern::app
