#include "platform/browser/BrowserLog.h"

namespace lectern::platform {

Q_LOGGING_CATEGORY(browserLog, "lectern.browser", QtWarningMsg)

}  // namespace lectern::platform
