#pragma once

#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QVariant>
#include <QWebEnginePage>
#include <memory>
#include <optional>

namespace lectern::test {

// Test-only: runs a script in the page and runs the event loop until it
// answers, for at most `ms`; nothing when it did not answer in time. An
// answer that comes later is dropped, never written into a caller that has
// gone.
inline std::optional<QVariant> pageAnswer(QWebEnginePage* page, const QString& script,
                                          int ms = 15000) {
    const auto answer = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [answer](const QVariant& v) { *answer = v; });
    waitUntil([&] { return answer->has_value(); }, ms);
    return *answer;
}

// The same for a page that is expected to answer: a failure of the test
// when it does not.
inline QVariant scriptResult(QWebEnginePage* page, const QString& script) {
    const std::optional<QVariant> answer = pageAnswer(page, script);
    EXPECT_TRUE(answer.has_value()) << script.toStdString();
    return answer.value_or(QVariant());
}

}  // namespace lectern::test
