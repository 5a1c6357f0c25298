#include "exercises/Sortfrm/TfrmSort.h"

#include "exercises/CountdownLabel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace lectern::exercises {
namespace {

QListWidget* makeListBox(QWidget* parent) {
    auto* box = new QListWidget(parent);
    box->setFrameShape(QFrame::NoFrame);
    return box;
}

QFrame* makeLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFixedWidth(1);
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
    auto* row = new QHBoxLayout(Panel3);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    ListBox1 = makeListBox(Panel3);
    Shape1 = makeLine(Panel3);
    ListBox3 = makeListBox(Panel3);
    Shape2 = makeLine(Panel3);
    ListBox2 = makeListBox(Panel3);
    for (QWidget* part : {static_cast<QWidget*>(ListBox1), static_cast<QWidget*>(Shape1),
                          static_cast<QWidget*>(ListBox3), static_cast<QWidget*>(Shape2),
                          static_cast<QWidget*>(ListBox2)})
        row->addWidget(part);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
}

}  // namespace lectern::exercises
