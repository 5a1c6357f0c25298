#include "platform/widgets/SkinnedForm.h"

#include "platform/widgets/EventFilter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

namespace lectern::platform {
namespace {

QFrame* makeBar(QWidget* parent, int height, TImage*& background) {
    auto* bar = new QFrame(parent);
    bar->setFrameShape(QFrame::NoFrame);
    bar->setFixedHeight(height);
    background = new TImage(bar);
    background->SetStretch(true);
    background->setMouseTracking(true);
    // The background picture covers the whole bar whatever its size.
    EventFilter::install(bar, background, [background](QObject* watched, QEvent* event) {
        if (event->type() == QEvent::Resize)
            background->setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    });
    return bar;
}

}  // namespace

SkinnedForm::SkinnedForm(Platform& platform, Frame frame, Position position, QWidget* mainForm,
                         const Design& design)
    : TForm(platform, frame, position, mainForm), buttons_(*this), design_(design) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel1 = makeBar(this, design.topBarHeight, Image3);
    Panel1->setObjectName("Panel1");
    column->addWidget(Panel1);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    Image1 = new TImage(this);
    Image1->SetStretch(true);
    Image1->setFixedWidth(design.leftEdgeWidth);
    content_ = new QWidget(this);
    Image2 = new TImage(this);
    Image2->SetStretch(true);
    Image2->setFixedWidth(design.rightEdgeWidth);
    middle->addWidget(Image1);
    middle->addWidget(content_, 1);
    middle->addWidget(Image2);
    column->addLayout(middle, 1);

    Panel2 = makeBar(this, design.bottomBarHeight, Image4);
    Panel2->setObjectName("Panel2");
    column->addWidget(Panel2);

    if (frame == Frame::Sizeable)
        resize(design.clientWidth, design.clientHeight);
    else
        setFixedSize(design.clientWidth, design.clientHeight);
}

void SkinnedForm::SizeBar(QFrame* bar, TImage* background, int width, int height) {
    // A bar spans its window whatever width the course gives it, and its
    // background covers the whole bar.
    (void)width;
    height = std::max(height, 0);
    auto* form = qobject_cast<SkinnedForm*>(bar->window());
    if (form && bar == form->Panel1)
        form->design_.topBarHeight = height;
    else if (form && bar == form->Panel2)
        form->design_.bottomBarHeight = height;
    bar->setFixedHeight(form ? form->scaled(height) : height);
    background->setGeometry(0, 0, bar->width(), bar->height());
}

void SkinnedForm::SizeEdge(TImage* edge, int width) {
    width = std::max(width, 0);
    auto* form = qobject_cast<SkinnedForm*>(edge->window());
    if (form && edge == form->Image1)
        form->design_.leftEdgeWidth = width;
    else if (form && edge == form->Image2)
        form->design_.rightEdgeWidth = width;
    edge->setFixedWidth(form ? form->scaled(width) : width);
}

QSize SkinnedForm::fitClientSize(QSize design, QSize area) {
    double scale = 1.0;
    if (design.width() > area.width() && design.width() > 0)
        scale = double(area.width()) / design.width();
    if (design.height() > area.height() && design.height() > 0)
        scale = std::min(scale, double(area.height()) / design.height());
    // A design many times the screen is a broken course, not a skin to
    // shrink to nothing: the skin keeps its size and the window is cut to
    // the screen.
    if (scale < minScale)
        scale = 1.0;
    if (scale != scale_) {
        scale_ = scale;
        applyScale();
    }
    // Rounded down, so that the scaled design still fits.
    return QSize(int(design.width() * scale), int(design.height() * scale)).boundedTo(area);
}

int SkinnedForm::scaled(int designed) const {
    return int(std::lround(designed * scale_));
}

void SkinnedForm::applyScale() {
    Panel1->setFixedHeight(scaled(design_.topBarHeight));
    Panel2->setFixedHeight(scaled(design_.bottomBarHeight));
    Image1->setFixedWidth(scaled(design_.leftEdgeWidth));
    Image2->setFixedWidth(scaled(design_.rightEdgeWidth));
    buttons_.setScale(scale_);
}

void SkinnedForm::addButtons(std::initializer_list<ButtonBar::Design> buttons) {
    buttons_.create(Panel2, buttons);
    buttons_.placeInRow(105, 70, 7, 40, 125);
}

}  // namespace lectern::platform
