// A course is untrusted: what it ships in place of its files (special files,
// links, huge files) is refused with a reason, and nothing is written through
// a link or left half-written.
#include "platform/files/CourseFiles.h"

#include "platform/Error.h"
#include "platform/StringList.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <csignal>
#include <cstring>
#include <functional>

#include <gtest/gtest.h>

using lectern::platform::CourseFiles;
using lectern::platform::Error;
using lectern::platform::SafeFile;
using lectern::test::TempDir;

namespace {

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Every file below a folder with its content, links as their targets.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (info.isSymLink())
            entries << info.fileName() + " -> " + info.symLinkTarget();
        else if (info.isDir())
            entries << info.fileName() + "/" + snapshot(info.filePath()).join(',');
        else
            entries << info.fileName() + "=" + QString::fromLatin1(contentOf(info.filePath()));
    }
    return entries;
}

void makeSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

struct Course {
    Course() {
        course.write("data/text.txt", "inside\r\n");
        secret = outside.write("id_rsa", "PRIVATE KEY");
        files.setCourseFolder(course.path());
    }
    QString at(const QString& relative) const { return course.path() + "/" + relative; }
    QString coursePath(const QString& relative) const {
        return course.path() + "\\" + QString(relative).replace('/', '\\');
    }

    TempDir course;
    TempDir outside;
    QString secret;
    CourseFiles files;
};

}  // namespace

TEST(CourseFileSafety, ReadsTakeOnlyRegularFilesOfTheCourseWithinTheirLimit) {
    Course c;
    const struct {
        const char* name;
        std::function<void(const QString& path)> make;
        QString result;  // the content read, or the error's reason
    } cases[] = {
        {"fifo.mtp", [](const QString& p) { ::mkfifo(QFile::encodeName(p), 0600); },
         ": it is a FIFO, not a regular file"},
        {"zero.mrb", [](const QString& p) { QFile::link("/dev/zero", p); },
         ": it is a device, not a regular file"},
        {"socket.mtp", makeSocket, ": it is a socket, not a regular file"},
        {"folder.mtp", [](const QString& p) { QDir().mkpath(p); }, ": it is a folder"},
        {"huge.mtp",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.resize(SafeFile::listLimit + 1);
         },
         ": it is larger than 8 MB"},
        {"key.mtp", [&](const QString& p) { QFile::link(c.secret, p); },
         ": it is a link that leads outside the course folder"},
        {"inside.mtp", [&](const QString& p) { QFile::link(c.at("data/text.txt"), p); },
         "inside\r\n"},
        {"dangling.mtp", [&](const QString& p) { QFile::link(c.outside.path() + "/no", p); }, ""},
    };
    for (const auto& test : cases) {
        test.make(c.at(test.name));
        QString result;
        try {
            result = QString::fromLatin1(c.files.readBytes(c.coursePath(test.name)));
        } catch (const Error& e) {
            const QString prefix = "Cannot open file " + c.at(test.name);
            EXPECT_TRUE(e.message().startsWith(prefix)) << e.message().toStdString();
            result = e.message().mid(prefix.size());
        }
        EXPECT_EQ(result, test.result) << test.name;
    }
    // A picture may be larger than a list.
    QFile picture(c.at("big.jpg"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.resize(SafeFile::listLimit + 1);
    picture.close();
    EXPECT_EQ(c.files.readBytes(c.coursePath("big.jpg"), SafeFile::pictureLimit).size(),
              SafeFile::listLimit + 1);
}

TEST(CourseFileSafety, WritesIntoTheCourseNeverGoThroughLinksNorLeaveIt) {
    Course c;
    const QString bashrc = c.outside.write("bashrc", "alias ls=ls\n");
    QFile::link(bashrc, c.at("data/umarks.txt"));
    QFile::link(c.outside.path() + "/bash_aliases", c.at("data/temp1.wav"));
    QFile::link(c.secret, c.at("data/empty.wav"));
    QFile::link(c.outside.path(), c.at("out"));
    c.course.write("data/blank.wav", "RIFF blank");
    const QStringList outsideBefore = snapshot(c.outside.path());
    const QString notThroughLinks = ": it is a link; Lectern does not write through links";

    const auto write = [&](const QString& relative) {
        return errorOf([&] { c.files.writeBytes(c.coursePath(relative), "700\r\n"); });
    };
    EXPECT_EQ(write("data/umarks.txt"),
              "Cannot create file " + c.at("data/umarks.txt") + notThroughLinks);
    EXPECT_EQ(write("data/temp1.wav"),
              "Cannot create file " + c.at("data/temp1.wav") + notThroughLinks);
    EXPECT_EQ(write("out/umarks.txt"), "Cannot create file " + c.at("out/umarks.txt") +
                                           ": its folder is outside the course folder");
    EXPECT_EQ(errorOf([&] {
                  c.files.copyFile(c.coursePath("data/blank.wav"), c.coursePath("data/temp1.wav"));
              }),
              "Cannot create file " + c.at("data/temp1.wav") + notThroughLinks);
    EXPECT_EQ(errorOf([&] {
                  c.files.copyFile(c.coursePath("data/empty.wav"), c.coursePath("data/temp2.wav"));
              }),
              "Cannot open file " + c.at("data/empty.wav") +
                  ": it is a link that leads outside the course folder");
    EXPECT_EQ(errorOf([&] { c.files.openToRecord(c.coursePath("data/temp1.wav")); }),
              "Cannot create file " + c.at("data/temp1.wav") + notThroughLinks);
    EXPECT_EQ(errorOf([&] { c.files.openToRecord(c.coursePath("out/temp1.wav")); }),
              "Cannot create file " + c.at("out/temp1.wav") +
                  ": its folder is outside the course folder");

    EXPECT_EQ(snapshot(c.outside.path()), outsideBefore) << "nothing changed or created outside";
    EXPECT_FALSE(QFile::exists(c.at("data/temp2.wav"))) << "no key copied in";
    EXPECT_TRUE(c.files.isTaken(c.coursePath("data/temp1.wav"))) << "a dangling link is taken";
    EXPECT_FALSE(c.files.isTaken(c.coursePath("data/temp3.wav")));
}

TEST(CourseFileSafety, AFailedWriteLeavesTheOldFileWholeAndNoScraps) {
    Course c;
    c.course.write("data/umarks.txt", "1400\r\n2400\r\n");
    c.course.write("saved/answers.htm", "<p>first answers</p>");
    const QStringList before = snapshot(c.course.path());
    // A disk that fills up in the middle of a write.
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QByteArray big(100000, 'x');
    const QString course =
        errorOf([&] { c.files.writeBytes(c.coursePath("data/umarks.txt"), big); });
    const QString chosen =
        errorOf([&] { c.files.writeChosenFile(c.at("saved/answers.htm"), big); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_TRUE(course.startsWith("Cannot create file " + c.at("data/umarks.txt") + ": "))
        << course.toStdString();
    EXPECT_TRUE(chosen.startsWith("Cannot create file " + c.at("saved/answers.htm") + ": "))
        << chosen.toStdString();
    EXPECT_EQ(snapshot(c.course.path()), before);
}

TEST(CourseFileSafety, ChosenNamesAreUsedExactlyAndReplaceALinkRatherThanFollowIt) {
    Course c;
    c.course.write("data/temp1.wav", "RIFF recording");
    const QString home = c.outside.write("home/take.wav", "earlier take");
    const QString bashrc = c.outside.write("bashrc", "alias ls=ls\n");
    QFile::link(bashrc, c.outside.path() + "/home/linked.wav");
    const QString recording = c.coursePath("data/temp1.wav");

    c.files.copyToChosenFile(recording, c.outside.path() + "/home/Take.wav");
    c.files.copyToChosenFile(recording, c.outside.path() + "/home/a\\b.wav");
    c.files.copyToChosenFile(recording, c.outside.path() + "/home/linked.wav");

    EXPECT_EQ(contentOf(home), "earlier take") << "a name in another letter case is another file";
    EXPECT_EQ(contentOf(c.outside.path() + "/home/Take.wav"), "RIFF recording");
    EXPECT_EQ(contentOf(c.outside.path() + "/home/a\\b.wav"), "RIFF recording");
    EXPECT_EQ(contentOf(bashrc), "alias ls=ls\n") << "not written through the link";
    EXPECT_FALSE(QFileInfo(c.outside.path() + "/home/linked.wav").isSymLink());
    EXPECT_EQ(contentOf(c.outside.path() + "/home/linked.wav"), "RIFF recording");
    EXPECT_EQ(
        errorOf([&] { c.files.copyToChosenFile(recording, c.outside.path() + "/none/take.wav"); }),
        "Cannot create file " + c.outside.path() + "/none/take.wav: its folder does not exist");
}
