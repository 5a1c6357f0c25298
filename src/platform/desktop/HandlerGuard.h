#pragma once

#include <functional>

namespace lectern::platform {

class Dialogs;

// Every event handler runs through here: an error that escapes it is shown in
// the standard error box and the event loop goes on. No exception ever
// unwinds through Qt's own code.
class HandlerGuard {
  public:
    explicit HandlerGuard(Dialogs& dialogs) : dialogs_(dialogs) {}

    // Runs the handler; returns false when it failed and its error was shown.
    bool run(const std::function<void()>& handler) const noexcept;

  private:
    Dialogs& dialogs_;
};

}  // namespace lectern::platform
