#pragma once

#include <QString>

namespace lectern::platform {

// A change made through the document model that the shown page must repeat.
// The element is named by its id when that id is unique in the page, else by
// its position among all elements in document order.
struct PageEdit {
    enum class Kind { SetClass, Click, SetChecked, SetValue, SetId, SetAriaCurrent, Focus };
    Kind kind;
    QString elementId;
    int elementIndex = -1;
    QString value;  // class, value, id or aria-current (empty: none); "1"/"0" for SetChecked
};

class PageEditSink {
  public:
    virtual ~PageEditSink() = default;
    virtual void pageEdited(const PageEdit& edit) = 0;
};

// The state of one text or tick input as the learner left it in the shown
// page; index counts the page's input and textarea elements in document order.
struct InputState {
    int index = -1;
    bool checked = false;
    QString value;
};

}  // namespace lectern::platform
