#pragma once

#include "platform/desktop/ModalRunner.h"

#include <QWidget>
#include <vector>

namespace lectern::test {

// Shows a "modal" window and returns at once, so that the test drives the
// window itself and closes it when it wants.
class ImmediateModalRunner : public platform::ModalRunner {
  public:
    void showModal(QWidget& window) override {
        shown.push_back(&window);
        window.show();
    }
    std::vector<QWidget*> shown;
};

}  // namespace lectern::test
