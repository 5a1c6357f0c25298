#include "demo/SkinWriter.h"

#include "demo/Geometry.h"
#include "demo/SkinPainter.h"

#include <QPainter>
#include <stdexcept>

namespace lectern::demo {

namespace {

struct Button {
    Icon icon;
    QString label;
};

const QSize kTopBar(Geometry::kClientWidth, Geometry::kTopBarHeight);
const QSize kBottomBar(Geometry::kClientWidth, Geometry::kBottomBarHeight);

QImage withButtons(QImage bar, const QList<QRect>& boxes, const QList<Button>& buttons) {
    QPainter p(&bar);
    for (int i = 0; i < boxes.size(); ++i) {
        SkinPainter::paintButton(p, boxes[i], buttons[i].icon, buttons[i].label, false);
    }
    return bar;
}

QImage restingButton(const QImage& background, const QRect& box, const Button& button) {
    return withButtons(background, {box}, {button}).copy(box);
}

}  // namespace

SkinWriter::SkinWriter(QString folder, QString title, QString tagline)
    : folder_(std::move(folder)), title_(std::move(title)), tagline_(std::move(tagline)) {}

void SkinWriter::saveJpeg(const QImage& image, const QString& path) {
    if (!image.save(path, "JPG", 92)) {
        throw std::runtime_error("cannot write picture " + path.toStdString());
    }
}

void SkinWriter::save(const QImage& image, const QString& name) const {
    saveJpeg(image, folder_ + "/" + name);
}

void SkinWriter::writeAll() const {
    const QImage top = SkinPainter::bar(kTopBar, SkinPainter::Bar::Top);
    const QImage bottom = SkinPainter::bar(kBottomBar, SkinPainter::Bar::Bottom);

    // Main window: title and the five buttons on the top bar.
    const QList<Button> mainButtons = {{Icon::Book, "Introduction"},
                                       {Icon::Run, "Run lesson"},
                                       {Icon::Help, "Help"},
                                       {Icon::About, "About"},
                                       {Icon::Exit, "Exit"}};
    const QList<QRect> mainBoxes = Geometry::mainButtons();
    QImage mainTop = withButtons(top, mainBoxes, mainButtons);
    {
        QPainter p(&mainTop);
        SkinPainter::paintTitle(p, QRect(14, 6, mainBoxes.first().left() - 24, 66), title_,
                                tagline_);
    }
    save(mainTop, "top.jpg");
    QImage mainBottom = bottom;
    {
        QPainter p(&mainBottom);
        SkinPainter::paintFooter(p, QRect(QPoint(0, 4), kBottomBar - QSize(0, 4)),
                                 "Pick a lesson in the list, read its description, then press "
                                 "Run lesson (or double-click the lesson).");
    }
    save(mainBottom, "bot.jpg");
    for (int i = 0; i < mainBoxes.size(); ++i) {
        save(SkinPainter::litButton(top, mainBoxes[i], mainButtons[i].icon, mainButtons[i].label),
             QString("m%1.jpg").arg(i + 1));
    }

    // The page viewer and the exercise windows share the top bar.
    QImage sharedTop = top;
    {
        QPainter p(&sharedTop);
        SkinPainter::paintPlanetRow(p, QRect(620, 8, 360, 62));
    }
    save(sharedTop, "top2.jpg");

    const Button menu{Icon::Home, "Main menu"};
    save(withButtons(bottom, {Geometry::viewerButton()}, {menu}), "bot2.jpg");
    save(SkinPainter::litButton(bottom, Geometry::viewerButton(), menu.icon, menu.label), "m6.jpg");

    const QList<Button> exercise = {{Icon::Play, "Play"},
                                    {Icon::Pause, "Pause"},
                                    {Icon::Stop, "Stop"},
                                    {Icon::Help, "Help"},
                                    {Icon::Exit, "Exit"}};
    const QList<QRect> exerciseBoxes = Geometry::exerciseButtons();
    save(withButtons(bottom, exerciseBoxes, exercise), "bot3.jpg");
    for (int i = 0; i < exerciseBoxes.size(); ++i) {
        save(SkinPainter::litButton(bottom, exerciseBoxes[i], exercise[i].icon, exercise[i].label),
             QString("m%1.jpg").arg(i + 7));
    }

    // The unit button: resting pictures c1..c3 and lit pictures, named by the
    // step whose pair they belong to (step 0: c1 + c2a, step 1: c2 + c1a,
    // step 2: c3 + c3a).
    const QRect unit = Geometry::unitButton();
    const Button begin{Icon::BeginUnit, "Begin unit"};
    const Button end{Icon::EndUnit, "End unit"};
    const Button cycle{Icon::Cycle, "Play cycle"};
    save(restingButton(bottom, unit, begin), "c1.jpg");
    save(SkinPainter::litButton(bottom, unit, begin.icon, begin.label), "c2a.jpg");
    save(restingButton(bottom, unit, end), "c2.jpg");
    save(SkinPainter::litButton(bottom, unit, end.icon, end.label), "c1a.jpg");
    save(restingButton(bottom, unit, cycle), "c3.jpg");
    save(SkinPainter::litButton(bottom, unit, cycle.icon, cycle.label), "c3a.jpg");

    save(SkinPainter::edge(QSize(Geometry::kLeftEdge, Geometry::kWindowHeight), true), "left.jpg");
    save(SkinPainter::edge(QSize(Geometry::kRightEdge, Geometry::kWindowHeight), false),
         "right.jpg");
}

}  // namespace lectern::demo
