#include "platform/widgets/SkinnedForm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace lectern::platform {
namespace {

// Keeps a bar's background picture over the whole bar.
class FillParent : public QObject {
  public:
    FillParent(QWidget* parent, QWidget* child) : QObject(child), child_(child) {
        parent->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            child_->setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    }

  private:
    QWidget* child_;
};

QFrame* makeBar(QWidget* parent, int height, TImage*& background) {
    auto* bar = new QFrame(parent);
    bar->setFrameShape(QFrame::NoFrame);
    bar->setFixedHeight(height);
    background = new TImage(bar);
    background->SetStretch(true);
    background->setMouseTracking(true);
    new FillParent(bar, background);
    return bar;
}

}  // namespace

SkinnedForm::SkinnedForm(Platform& platform, Frame frame, Position position, QWidget* mainForm,
                         const Design& design)
    : TForm(platform, frame, position, mainForm) {
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
    bar->setFixedHeight(std::max(height, 0));
    background->setGeometry(0, 0, bar->width(), bar->height());
}

void SkinnedForm::SizeEdge(TImage* edge, int width) {
    edge->setFixedWidth(std::max(width, 0));
}

void SkinnedForm::LightHolder(TImage* lit, std::initializer_list<TImage*> dark) {
    for (TImage* holder : dark)
        holder->hide();
    if (lit && lit->isHidden())
        lit->show();
}

void SkinnedForm::addButtons(QFrame* bar, std::initializer_list<ButtonSlot> buttons) {
    for (const ButtonSlot& button : buttons)
        button.holder = addHolder(bar);
    int left = 40;
    for (const ButtonSlot& button : buttons) {
        button.clickable = addClickable(bar, button.hint);
        // A click puts the button's light out before its handler acts.
        connect(button.clickable, &TImage::clicked, button.holder, &QWidget::hide);
        button.holder->SetBounds(105, 70, 7, left);
        button.clickable->SetBounds(105, 70, 7, left);
        left += 125;
    }
}

TImage* SkinnedForm::addHolder(QFrame* bar) {
    auto* holder = new TImage(bar);
    holder->hide();
    return holder;
}

TImage* SkinnedForm::addClickable(QFrame* bar, const QString& hint) {
    auto* clickable = new TImage(bar);
    clickable->SetHint(hint);
    clickable->MakeClickable();
    return clickable;
}

}  // namespace lectern::platform
