#include "exercises/sorting/TfrmSort.h"

#include "exercises/CheckingButtons.h"
#include "exercises/CountdownLabel.h"
#include "platform/widgets/WindowKeys.h"

#include <QEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

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
    addCheckingButtons(*this, "Run",
                       {[this] { m11Click(); }, [this] { m33Click(); }, [this] { m44Click(); },
                        [this] { m55Click(); }});
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
    ListBox1->setAccessibleName(QStringLiteral("Items to sort"));
    ListBox3->setAccessibleName(QStringLiteral("Middle box"));
    ListBox2->setAccessibleName(QStringLiteral("Right box"));
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

    platform::WindowKeys keys(*this);
    keys.press(Qt::Key_F1, m44());
    keys.press(Qt::Key_Escape, m55());
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { MoveSelectedItem(1); });
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { MoveSelectedItem(-1); });
    // The keyboard starts in the source box; Tab goes on from left to right.
    ListBox1->setFocus();
    setTabOrder(ListBox1, ListBox3);
    setTabOrder(ListBox3, ListBox2);
    FormResize();
}

std::array<SortListBox*, 3> TfrmSort::boxesLeftToRight() const {
    return {ListBox1, ListBox3, ListBox2};
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
