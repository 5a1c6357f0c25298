#pragma once

#include "browser/PageScript.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/browser/Variant.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/files/CourseFiles.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace lectern::test {

// One browser component over Qt WebEngine, shown and active, on the pages of
// tests/data/pages/course; the test reaches into the shown page with js().
class WebEnginePageFixture : public ::testing::Test {
  protected:
    explicit WebEnginePageFixture(QSize size) {
        browser.resize(size);
        browser.show();
        browser.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&browser));
    }

    // Shows a page of the course and gives its document once it is complete.
    platform::Variant load(const QString& name) {
        QSignalSpy complete(&browser, &platform::TCppWebBrowser::OnDocumentComplete);
        browser.Navigate(course + "/" + name);
        EXPECT_TRUE(complete.wait(30000)) << name.toStdString();
        return browser.Document();
    }

    QWebEnginePage* page() { return static_cast<QWebEngineView*>(browser.view())->page(); }

    // Test-only: runs a script in the shown page and waits for its result.
    QVariant js(const QString& script) { return scriptResult(page(), script); }

    // Where an element is drawn, in the view's coordinates.
    QRect rectOf(const QString& id) {
        const QJsonObject r =
            QJsonDocument::fromJson(
                js("JSON.stringify(document.getElementById('" + id + "').getBoundingClientRect())")
                    .toString()
                    .toUtf8())
                .object();
        return QRectF(r["left"].toDouble(), r["top"].toDouble(), r["width"].toDouble(),
                      r["height"].toDouble())
            .toRect();
    }

    QString course = testDataPath("pages/course");
    platform::CourseFiles files;
    platform::WebEngineBrowserEngine engine{files, course};
    platform::TCppWebBrowser browser{engine};
};

}  // namespace lectern::test
