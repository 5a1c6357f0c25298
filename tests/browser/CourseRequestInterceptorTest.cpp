// The decision the web engine's interceptor takes for each address a page
// asks for, whatever asks (a page, fetch, XHR, a WebSocket, a prefetch, the
// target of a redirect): only course addresses pass, and a file of the
// course is sent to its course address.
#include "platform/browser/CourseRequestInterceptor.h"
#include "platform/browser/CourseScheme.h"
#include "platform/files/CourseFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>

using lectern::platform::CourseFiles;
using lectern::platform::CourseRequestInterceptor;
using lectern::platform::CourseScheme;
using lectern::test::TempDir;
using Decision = CourseRequestInterceptor::Decision;

TEST(CourseRequestInterceptor, OnlyFilesOfTheCoursePass) {
    TempDir root;
    const QString course = root.path() + "/course";
    root.write("course/data/text/lesson.htm", "<p>");
    root.write("course/data/text/Picture.png", "png");
    root.write("outside/secret.txt", "secret");
    root.write("outside/pictures/x.png", "png");
    root.write("course-evil/x.png", "png");
    QFile::link(root.path() + "/outside/secret.txt", course + "/data/text/out.png");
    QFile::link(root.path() + "/outside/pictures", course + "/data/LINKED");
    ::mkfifo(QFile::encodeName(course + "/data/text/fifo.png"), 0600);

    CourseFiles files;
    CourseRequestInterceptor interceptor;
    interceptor.setCourseFolder(course);
    interceptor.setResolver([&files](const QString& file) { return files.resolve(file); });

    const QString text = "file://" + course + "/data/text/";
    const QString scheme = "lectern://course/";
    const struct {
        QString url;
        Decision::Kind kind;
        QString to;
    } cases[] = {
        {scheme + "data/text/lesson.htm", Decision::Pass, {}},
        {scheme + "data/text/lesson.htm#t3", Decision::Pass, {}},
        {scheme + "data/text/picture.png", Decision::Pass, {}},  // its handler finds the file
        {text + "lesson.htm", Decision::Redirect, scheme + "data/text/lesson.htm"},
        {text + "lesson.htm#t3", Decision::Redirect, scheme + "data/text/lesson.htm#t3"},
        {text + "missing.png", Decision::Redirect, scheme + "data/text/missing.png"},
        {text + "picture.png", Decision::Redirect, scheme + "data/text/picture.png"},
        {text + "out.png", Decision::Block, {}},   // a link out of the course
        {text + "fifo.png", Decision::Block, {}},  // would hang the reader
        {"file://" + course + "/data/LINKED/x.png", Decision::Block, {}},
        {"file://" + course + "/data/linked/x.png", Decision::Block, {}},  // case-changed, outside
        {text + "../../../outside/secret.txt", Decision::Block, {}},
        {text + "%2e%2e/%2e%2e/%2e%2e/outside/secret.txt", Decision::Block, {}},
        {text + "%2E%2E%2f%2E%2E%2f%2E%2E%2foutside/secret.txt", Decision::Block, {}},
        {"file://" + root.path() + "/course-evil/x.png", Decision::Block, {}},
        {"file:///etc/passwd", Decision::Block, {}},
        {"file://host" + course + "/data/text/lesson.htm", Decision::Block, {}},
        {"file://localhost" + course + "/data/text/lesson.htm", Decision::Block, {}},
        {"lectern://other/data/text/lesson.htm", Decision::Block, {}},
        {"lectern://course:80/data/text/lesson.htm", Decision::Block, {}},
        {"lectern://user@course/data/text/lesson.htm", Decision::Block, {}},
        {"lectern://course", Decision::Block, {}},
        {"http://127.0.0.1:8080/fetch", Decision::Block, {}},
        {"https://example.com/xhr", Decision::Block, {}},
        {"ws://127.0.0.1:9000/socket", Decision::Block, {}},
        {"wss://example.com/socket", Decision::Block, {}},
        {"http://example.com/prefetch.htm", Decision::Block, {}},
        {"ftp://example.com/file", Decision::Block, {}},
        {"data:text/html,<p>x</p>", Decision::Block, {}},
        {"mailto:someone@example.com", Decision::Block, {}},
        {"smb://host/share/file", Decision::Block, {}},
        {"", Decision::Block, {}},
    };
    for (const auto& test : cases) {
        const Decision decision = interceptor.decide(QUrl(test.url));
        EXPECT_EQ(decision.kind, test.kind) << test.url.toStdString();
        if (test.kind == Decision::Redirect) {
            EXPECT_EQ(decision.to, QUrl(test.to)) << test.url.toStdString();
        }
    }
    EXPECT_EQ(CourseScheme::relativePathOf(QUrl(scheme + "data/%D0%A3%D1%80%D0%BE%D0%BA.htm?x#t1")),
              QString::fromUtf8("data/Урок.htm"));
    EXPECT_EQ(
        CourseScheme::urlOf(QString::fromUtf8("data/Урок #1.htm")).toString(QUrl::FullyEncoded),
        scheme + "data/%D0%A3%D1%80%D0%BE%D0%BA%20%231.htm");
}
