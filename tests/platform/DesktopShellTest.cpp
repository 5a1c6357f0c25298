// The shell's "open" for help pages: what reaches the desktop's viewer, a
// program of its own, names the course's file there too.
#include "platform/Error.h"
#include "platform/desktop/DesktopShell.h"
#include "platform/files/CourseFiles.h"
#include "support/Cp1251.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QUrl>

#include <cstdio>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
  public slots:
    void open(const QUrl& url) { urls.append(url); }

  public:
    QList<QUrl> urls;
};

}  // namespace

TEST(DesktopShell, HandsTheDesktopTheRealPathOfACourseFileOrRefusesWithAMessage) {
    lectern::test::TempDir root;
    const QString course = root.path() + "/course";
    root.write("course/HELP/Help.htm", "<p>help</p>");
    root.write("outside/secret.htm", "<p>secret</p>");
    QFile::link(root.path() + "/outside/secret.htm", course + "/HELP/out.htm");
    // A name kept in Windows-1251 bytes: the resolver reaches it through a
    // descriptor of its own, a path no other program can use.
    const QByteArray help = QFile::encodeName(course + "/HELP/");
    root.write("course/HELP/legacy.htm", "<p>legacy</p>");
    ASSERT_EQ(
        ::rename((help + "legacy.htm").constData(),
                 (help + lectern::test::cp1251(QString::fromUtf8("Справка.htm"))).constData()),
        0);

    lectern::platform::CourseFiles files;
    files.decoding().setLegacyCodePage("CP1251");
    files.setCourseFolder(course);
    lectern::platform::DesktopShell shell(files);
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");

    shell.open(course + "\\help\\help.htm");
    ASSERT_EQ(desktop.urls.size(), 1);
    EXPECT_EQ(desktop.urls[0],
              QUrl::fromLocalFile(QDir(course).canonicalPath() + "/HELP/Help.htm"));

    const QString legacy = course + QString::fromUtf8("\\help\\Справка.htm");
    EXPECT_TRUE(files.exists(legacy));
    EXPECT_EQ(lectern::test::errorOf([&] { shell.open(legacy); }),
              "Cannot open " + course + QString::fromUtf8("/help/Справка.htm") +
                  " in the desktop's viewer: its name is not in UTF-8");
    shell.open(course + "\\help\\out.htm");  // a link out of the course: nothing
    shell.open(course + "\\help\\missing.htm");
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(desktop.urls.size(), 1) << desktop.urls.last().toString().toStdString();
}

#include "DesktopShellTest.moc"
