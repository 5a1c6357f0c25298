#pragma once

#include <QLoggingCategory>

namespace lectern::platform {

// What the pages and their renderers go through: loads, answers, renderers
// ended and pages replaced. Off unless asked for
// (QT_LOGGING_RULES="lectern.browser.debug=true"); the web engine tests
// turn it on, so that a failure comes with the story of its pages.
Q_DECLARE_LOGGING_CATEGORY(browserLog)

}  // namespace lectern::platform
