#pragma once

class QWidget;

namespace lectern::platform {

// Shows a window modally. The program waits in a nested event loop until the
// window closes; tests show it and return at once, so that a test can drive
// the window and close it itself.
class ModalRunner {
  public:
    virtual ~ModalRunner() = default;
    virtual void showModal(QWidget& window) = 0;
};

}  // namespace lectern::platform
