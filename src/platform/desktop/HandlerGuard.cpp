#include "platform/desktop/HandlerGuard.h"

#include "platform/Error.h"
#include "platform/desktop/Dialogs.h"

namespace lectern::platform {
namespace {

void report(Dialogs& dialogs, const QString& message) noexcept {
    try {
        dialogs.showError(withFullStop(message));
    } catch (...) {
        // Nothing is left to tell the learner with.
    }
}

}  // namespace

bool HandlerGuard::run(const std::function<void()>& handler) const noexcept {
    try {
        handler();
        return true;
    } catch (const Error& error) {
        report(dialogs_, error.message());
    } catch (const std::exception& error) {
        report(dialogs_, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        // Not one of ours: shown as an error with an empty message.
        report(dialogs_, QString());
    }
    return false;
}

}  // namespace lectern::platform
