#include "exercises/Sortfrm/TfrmSort.h"

#include "exercises/CountdownLabel.h"

#include <QEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace lectern::exercises {
namespace {

QFrame* makeLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setStyleSheet(QStringLiteral("background: black"));
    return line;
}

}  // namespace

TfrmSort::TfrmSort(platform::Platform& platform)
    : SkinnedForm(platform, Frame::Sizeable, Position::Designed, nullptr,
                  {898, 604, 81, 84, 49, 46}) {
    setObjectName("frmSort");
    addButtons(Panel2, {{m1, m11, "Run"},
                        {m2, m22, "Check"},
                        {m3, m33, "Check"},
                        {m4, m44, "Help"},
                        {m5, m55, "Exit"}});
    m22->hide();
    Label1 = makeCountdownLabel(Panel1);
    auto* outer = new QVBoxLayout(Content());
    outer->setContentsMargins(0, 0, 0, 0);
    Panel3 = new QWidget(Content());
    outer->addWidget(Panel3);
    // The boxes are placed by FormResize whenever the panel changes size.
    ListBox1 = new SortListBox(Panel3);
    Shape1 = makeLine(Panel3);
    ListBox3 = new SortListBox(Panel3);
    Shape2 = makeLine(Panel3);
    ListBox2 = new SortListBox(Panel3);
    Panel3->installEventFilter(this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    for (SortListBox* box : {ListBox1, ListBox2, ListBox3}) {
        box->CanDropAt = [this](SortListBox* source, QPoint global) {
            SortListBox* target = boxAt(global);
            return target && acceptsDrop(target, source);
        };
        box->DropAt = [this](SortListBox* source, QPoint global) {
            guarded([this, source, global] {
                if (SortListBox* target = boxAt(global))
                    drop(target, source);
            });
        };
    }
    bindTimer(Timer1, [this] { Timer1Timer(); });
    bind(m11, &platform::TImage::clicked, [this] { m11Click(); });
    bind(m33, &platform::TImage::clicked, [this] { m33Click(); });
    bind(m55, &platform::TImage::clicked, [this] { m55Click(); });
    FormResize();
}

bool TfrmSort::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel3 && event->type() == QEvent::Resize)
        guarded([this] { FormResize(); });
    return SkinnedForm::eventFilter(watched, event);
}

void TfrmSort::FormResize() {
    const int width = Panel3->width();
    const int height = Panel3->height();
    const int third = width / 3;
    ListBox1->setGeometry(0, 0, third, height);
    ListBox2->setGeometry(width - third, 0, third, height);
    // The middle box and its two lines take what is left between the others.
    Shape1->setGeometry(third, 0, 1, height);
    Shape2->setGeometry(width - third - 1, 0, 1, height);
    ListBox3->setGeometry(third + 1, 0, std::max(width - 2 * third - 2, 0), height);
}

SortListBox* TfrmSort::boxAt(QPoint global) const {
    for (SortListBox* box : {ListBox1, ListBox2, ListBox3})
        if (box->isVisible() && box->rect().contains(box->mapFromGlobal(global)))
            return box;
    return nullptr;
}

bool TfrmSort::acceptsDrop(SortListBox* target, QObject* source) const {
    if (target == ListBox1)
        return ListBox1DragOver(source);
    if (target == ListBox2)
        return ListBox2DragOver(source);
    return ListBox3DragOver(source);
}

void TfrmSort::drop(SortListBox* target, QListWidget* source) {
    if (target == ListBox1)
        ListBox1DragDrop(source);
    else if (target == ListBox2)
        ListBox2DragDrop(source);
    else
        ListBox3DragDrop(source);
}

}  // namespace lectern::exercises
