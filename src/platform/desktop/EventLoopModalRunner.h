#pragma once

#include "platform/desktop/ModalRunner.h"

namespace lectern::platform {

class EventLoopModalRunner : public ModalRunner {
  public:
    void showModal(QWidget& window) override;
};

}  // namespace lectern::platform
