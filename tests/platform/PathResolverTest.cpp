#include "platform/files/PathResolver.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using lectern::platform::PathResolver;
using lectern::test::TempDir;
using Failure = PathResolver::Failure;

namespace {

struct Folder {
    TempDir dir;
    PathResolver resolver;
    QString root = dir.path();

    void file(const QString& relative) const { dir.write(relative, "x"); }
    PathResolver::Result resolve(const QString& relative) {
        return resolver.resolve(root + '/' + relative);
    }
    QString real(const QString& relative) const { return root + '/' + relative; }
};

}  // namespace

TEST(PathResolver, FindsEveryPartWhateverItsLetterCase) {
    Folder f;
    f.file("Data/Text/Lesson One.HTM");
    f.file("data2/x.txt");

    const auto exact = f.resolve("Data/Text/Lesson One.HTM");
    EXPECT_TRUE(exact.found());
    EXPECT_FALSE(exact.caseDiffers);

    const auto folded = f.resolve("DATA/text/lesson one.htm");
    EXPECT_TRUE(folded.found());
    EXPECT_TRUE(folded.caseDiffers);
    EXPECT_EQ(folded.path, f.real("Data/Text/Lesson One.HTM"));
    EXPECT_TRUE(folded.ambiguous.empty());

    EXPECT_EQ(f.resolve("DATA/TEXT").path, f.real("Data/Text")) << "folders too";
}

TEST(PathResolver, NonAsciiNamesFoldTheirCaseAndNormalForm) {
    Folder f;
    f.file(QString::fromUtf8("Урок/Глава.htm"));
    f.file(QString::fromUtf8("Cafe\u0301.txt"));  // decomposed, as some copies write it
    EXPECT_EQ(f.resolve(QString::fromUtf8("урок/ГЛАВА.HTM")).path,
              f.real(QString::fromUtf8("Урок/Глава.htm")));
    EXPECT_TRUE(f.resolve(QString::fromUtf8("CAF\u00C9.txt")).found());
}

TEST(PathResolver, AnExactNameWinsAndSeveralAlikeTakeTheFirstInSortedOrder) {
    Folder f;
    f.file("data/Marks.txt");
    f.file("data/marks.txt");
    f.file("data/MARKS.txt");

    const auto exact = f.resolve("data/marks.txt");
    EXPECT_EQ(exact.path, f.real("data/marks.txt"));
    EXPECT_FALSE(exact.caseDiffers);

    const auto chosen = f.resolve("data/mArks.txt");
    EXPECT_EQ(chosen.path, f.real("data/MARKS.txt"));
    ASSERT_EQ(chosen.ambiguous.size(), 1u);
    EXPECT_EQ(chosen.ambiguous[0], QStringList({"MARKS.txt", "Marks.txt", "marks.txt"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f.resolve("data/mArks.txt").path, chosen.path) << "the same every time";
}

TEST(PathResolver, AMissingPartKeepsTheFoldersFoundAndTheRestAsWritten) {
    Folder f;
    f.file("Data/Text/page.htm");

    const auto missing = f.resolve("data/TEXT/New Page.htm");
    EXPECT_EQ(missing.failure, Failure::NotFound);
    EXPECT_EQ(missing.path, f.real("Data/Text/New Page.htm"))
        << "a file written there lands in the folder that exists";
    EXPECT_EQ(missing.failedPart, "New Page.htm");
    EXPECT_EQ(missing.failedFolder, f.real("Data/Text"));

    const auto noFolder = f.resolve("data/sound/a.wav");
    EXPECT_EQ(noFolder.failure, Failure::NotFound);
    EXPECT_EQ(noFolder.path, f.real("Data/sound/a.wav"));
}

TEST(PathResolver, AFileWhereAFolderIsExpectedIsNotAFolder) {
    Folder f;
    f.file("data/text");
    const auto result = f.resolve("DATA/TEXT/page.htm");
    EXPECT_EQ(result.failure, Failure::NotAFolder);
    EXPECT_EQ(result.failedPart, "TEXT");
    EXPECT_EQ(f.resolve("data/text/page.htm").failure, Failure::NotAFolder);
}

TEST(PathResolver, ANulInAPathFindsNothingRatherThanItsFirstPart) {
    Folder f;
    f.file("data/page.htm");
    EXPECT_EQ(f.resolve(QStringLiteral("data/page.htm") + QChar(0) + "x").failure,
              Failure::NotFound);
    EXPECT_EQ(f.resolve(QStringLiteral("DATA") + QChar(0) + "/page.htm").failure,
              Failure::NotFound);
}

TEST(PathResolver, DotsEmptyPartsLinksAndLoopsNeitherHangNorEscapeTheRules) {
    Folder f;
    f.file("data/text/page.htm");
    f.file("outside.txt");
    EXPECT_EQ(f.resolve("DATA/Text/../TEXT/page.htm").path, f.real("data/text/../text/page.htm"));
    EXPECT_EQ(f.resolve("data/TEXT/../../OUTSIDE.txt").path, f.real("data/text/../../outside.txt"));
    EXPECT_EQ(f.resolve("data//TEXT/page.htm").path, f.real("data//text/page.htm"));
    EXPECT_EQ(f.resolve("DATA/text/").path, f.real("data/text/"));

    ASSERT_EQ(::symlink("loop", QFile::encodeName(f.real("data/loop")).constData()), 0);
    ASSERT_EQ(::symlink("Data", QFile::encodeName(f.real("data/text/up")).constData()), 0);
    ASSERT_EQ(::symlink("..", QFile::encodeName(f.real("data/text/parent")).constData()), 0);
    EXPECT_FALSE(f.resolve("data/LOOP").found()) << "a link to itself is no file";
    EXPECT_FALSE(f.resolve("data/loop/x").found());
    EXPECT_FALSE(f.resolve("data/text/UP/x").found()) << "a dangling link is no folder";
    EXPECT_EQ(f.resolve("data/text/PARENT/Text/PARENT/text/page.htm").path,
              f.real("data/text/parent/text/parent/text/page.htm"));
}

TEST(PathResolver, RelativePathsStayRelative) {
    Folder f;
    f.file("gdata/Top.JPG");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(f.root);
    EXPECT_EQ(f.resolver.resolve("GDATA/top.jpg").path, "gdata/Top.JPG");
    EXPECT_EQ(f.resolver.resolve("Main.MRB").path, "Main.MRB");
    QDir::setCurrent(previous);
}

TEST(PathResolver, KeptListingsFollowTheFolderWhenItChanges) {
    Folder f;
    f.file("data/one.txt");
    EXPECT_TRUE(f.resolve("DATA/ONE.TXT").found());

    f.file("data/Two.txt");
    EXPECT_EQ(f.resolve("data/two.txt").path, f.real("data/Two.txt")) << "a new file is seen";

    ASSERT_TRUE(QFile::rename(f.real("data/one.txt"), f.real("data/One.txt")));
    EXPECT_EQ(f.resolve("DATA/ONE.TXT").path, f.real("data/One.txt")) << "a renamed one too";

    ASSERT_TRUE(QFile::remove(f.real("data/One.txt")));
    f.resolver.forgetFolder(f.real("data"));
    EXPECT_FALSE(f.resolve("DATA/ONE.TXT").found()) << "and a removed one is gone";
}

TEST(PathResolver, AFolderRenamedSinceItWasFoundIsFoundAnew) {
    Folder f;
    f.file("Data/Text/page.htm");
    EXPECT_EQ(f.resolve("data/text/PAGE.htm").path, f.real("Data/Text/page.htm"));
    ASSERT_TRUE(QDir(f.root).rename("Data/Text", "Data/TEXT"));
    ASSERT_TRUE(QDir(f.root).rename("Data", "dATA"));
    EXPECT_EQ(f.resolve("data/text/PAGE.htm").path, f.real("dATA/TEXT/page.htm"));
    EXPECT_EQ(f.resolve("data/text/other.htm").path, f.real("dATA/TEXT/other.htm"));
}
