// What the course scheme's handler gives the web engine for each address:
// course files only, each read from the descriptor it was checked on.
#include "platform/browser/CourseResources.h"
#include "platform/browser/CourseScheme.h"
#include "platform/browser/CourseSchemeHandler.h"
#include "platform/files/CourseFiles.h"
#include "support/Cp1251.h"
#include "support/PageFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <cstdio>
#include <thread>

using lectern::platform::CourseFiles;
using lectern::platform::CourseResources;
using lectern::platform::CourseScheme;
using lectern::platform::CourseSchemeHandler;
using lectern::test::cp1251;
using lectern::test::TempDir;
using Job = QWebEngineUrlRequestJob;

TEST(CourseSchemeHandler, ServesCourseFilesByTheirAddressesAndNothingElse) {
    TempDir root;
    const QString course = root.path() + "/course";
    const QByteArray png = lectern::test::testPage("course/picture.png");
    const QByteArray declared = "<html><head><meta charset=\"windows-1251\"></head><body>" +
                                cp1251(QString::fromUtf8("Урок")) + "</body>";
    root.write("course/data/text/Lesson.htm", declared);
    root.write("course/data/text/plain.htm", "<p>" + cp1251(QString::fromUtf8("Урок")) + "</p>");
    root.write("course/data/text/style.css", "p { color: red }");
    root.write("course/data/text/picture.png", png);
    root.write("course/data/text/huge.htm", QByteArray(17 << 20, ' '));
    root.write("outside/secret.png", "SECRET");
    QFile::link(root.path() + "/outside/secret.png", course + "/data/text/out.png");
    QFile::link(root.path() + "/outside/secret.png", course + "/data/text/out.htm");
    ::mkfifo(QFile::encodeName(course + "/data/text/fifo.png"), 0600);
    // A name kept in Windows-1251 bytes, as a zip file made on Windows holds it.
    root.write("course/data/descr/x.htm", "<p>legacy</p>");
    ::rename(QFile::encodeName(course + "/data/descr/x.htm").constData(),
             (QFile::encodeName(course + "/data/descr/") + cp1251(QString::fromUtf8("Урок.htm")))
                 .constData());

    CourseFiles files;
    files.decoding().setLegacyCodePage("CP1251");
    CourseResources resources(files);
    resources.setCourseFolder(course);
    const CourseSchemeHandler handler(resources);
    const QString at = "lectern://course/";
    const QString shown = QDir(course).canonicalPath() + "/";

    const struct {
        QString url;
        QByteArray contentType;
        QByteArray body;  // of a page that says why it is not served: a part
        Job::Error error;
    } cases[] = {
        // Another letter case; a page that names its encoding comes as it is.
        {at + "data/TEXT/lesson.htm", "text/html", declared, Job::NoError},
        // One that does not is course text, handed over as UTF-8.
        {at + "data/text/plain.htm", "text/html; charset=utf-8", "<p>Урок</p>", Job::NoError},
        {at + "data/text/style.css?v=1#x", "text/css; charset=utf-8", "p { color: red }",
         Job::NoError},
        {at + "data/text/picture.png", "image/png", png, Job::NoError},
        {at + "data/descr/%D0%A3%D1%80%D0%BE%D0%BA.htm", "text/html; charset=utf-8",
         "<p>legacy</p>", Job::NoError},
        {at + "data/descr/%D1%83%D1%80%D0%BE%D0%BA.HTM", "text/html; charset=utf-8",
         "<p>legacy</p>", Job::NoError},
        // A page that cannot be served says why in its place.
        {at + "data/text/huge.htm", "text/html; charset=utf-8",
         "the page " + (shown + "data/text/huge.htm").toUtf8() +
             " cannot be read: it is larger than 16 MB",
         Job::NoError},
        {at + "data/text/missing.htm", "text/html; charset=utf-8",
         "the page " + (shown + "data/text/missing.htm").toUtf8() + " does not exist",
         Job::NoError},
        {at + "data/text/out.htm", "text/html; charset=utf-8",
         "it is a link that leads outside the course folder", Job::NoError},
        {at + "data/text/missing.png", {}, {}, Job::UrlNotFound},
        {at + "data/text/out.png", {}, {}, Job::RequestDenied},
        {at + "data/text/fifo.png", {}, {}, Job::RequestDenied},
        {at + "data/../../outside/secret.png", {}, {}, Job::RequestDenied},
        {at + "data/text", {}, {}, Job::RequestDenied},
        {"lectern://other/data/text/picture.png", {}, {}, Job::UrlInvalid},
        {"file://" + course + "/data/text/picture.png", {}, {}, Job::UrlInvalid},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.url.toStdString());
        const CourseSchemeHandler::Answer answer = handler.answer(QUrl(test.url));
        EXPECT_EQ(answer.error, test.error);
        EXPECT_EQ(answer.contentType, test.contentType);
        if (answer.body.startsWith("<!DOCTYPE html>"))
            EXPECT_TRUE(answer.body.contains(test.body)) << answer.body.left(300).toStdString();
        else
            EXPECT_EQ(answer.body, test.body);
        EXPECT_FALSE(answer.body.contains("SECRET"));
    }
}

// The race: a course file swapped between a regular file and a link
// to a file outside the course while pages ask for it. Whatever the swap
// does between the lookup and the read, the file read is the one checked.
TEST(CourseSchemeHandler, AFileSwappedForALinkIsNeverReadThroughTheLink) {
    TempDir root;
    const QString course = root.path() + "/course";
    const QByteArray inside = "<p>inside</p>";
    root.write("outside/secret.htm", "SECRET");
    const QByteArray page = QFile::encodeName(root.write("course/data/page.htm", inside));
    const QByteArray spareFile = QFile::encodeName(course + "/data/spare-file");
    const QByteArray spareLink = QFile::encodeName(course + "/data/spare-link");

    CourseFiles files;
    CourseResources resources(files);
    resources.setCourseFolder(course);
    const CourseSchemeHandler handler(resources);
    const QUrl url("lectern://course/data/page.htm");

    std::atomic<bool> stop{false};
    std::atomic<long> swaps{0};
    std::thread swapper([&] {
        const QByteArray secret = QFile::encodeName(root.path() + "/outside/secret.htm");
        while (!stop) {
            // Each step replaces the name at once: it always names something.
            ::symlink(secret.constData(), spareLink.constData());
            ::rename(spareLink.constData(), page.constData());
            if (FILE* out = std::fopen(spareFile.constData(), "wb")) {
                std::fwrite(inside.constData(), 1, static_cast<size_t>(inside.size()), out);
                std::fclose(out);
            }
            ::rename(spareFile.constData(), page.constData());
            ++swaps;
        }
    });
    long throughLink = 0, read = 0, refused = 0, other = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        const QByteArray body = handler.answer(url).body;
        if (body.contains("SECRET"))
            ++throughLink;
        else if (body == inside)
            ++read;
        else if (body.contains("it is a link that leads outside the course folder"))
            ++refused;
        else
            ++other;
    }
    stop = true;
    swapper.join();
    EXPECT_EQ(throughLink, 0);
    EXPECT_GT(read, 0);
    EXPECT_GT(refused, 0) << "the swap never came between lookup and read";
    std::printf("%ld swaps; %ld reads, %ld refused, %ld other, %ld through the link\n",
                swaps.load(), read, refused, other, throughLink);
}
