#include "exercises/quiz/TestLessonFixture.h"
#include "platform/browser/DocumentModel.h"
#include "platform/browser/InertPage.h"
#include "support/Cp1251.h"
#include "support/LessonLists.h"
#include "support/PageFiles.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>
#include <functional>

using namespace lectern;
using lectern::test::TestLessonFixture;

namespace {

QString fileText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return QString::fromUtf8(file.readAll());
}

// The learner's answers on the written page.
void answer(TestLessonFixture& f) {
    f.tick("agree");
    exercises::FindElement(f.document(), "answer").set("value", QString::fromUtf8("Анна"));
    exercises::FindElement(f.document(), "essay").set("value", "Two\nlines");
}

}  // namespace

TEST(WrittenTest, WithoutTheSaveFlagCheckDoesNothingAndTheTimeOutOffersTheSave) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("written.htm", "6", "2");
    EXPECT_EQ(w.Kind(), exercises::TMultiFrm::TestKind::Written);
    EXPECT_EQ(w.SavesResults(), 0);
    w.m33Click();
    EXPECT_TRUE(f.test.dialogs.saveRequests.empty());
    EXPECT_TRUE(f.test.dialogs.boxes.empty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Timer1->isActive());

    answer(f);
    const QString saved = f.folder.path() + "/answers.htm";
    f.test.dialogs.setNextSaveFileName(saved);
    f.countDown(2);
    ASSERT_EQ(f.test.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(f.test.dialogs.saveRequests[0].defaultExtension, "htm");
    EXPECT_EQ(f.test.dialogs.saveRequests[0].filter, "HTML|*.htm");
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(fileText(saved).contains(QString::fromUtf8("value=\"Анна\"")));
}

TEST(WrittenTest, WithTheSaveFlagCheckSavesThePageWithTheAnswersAndCloses) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("written.htm", "7", "60");
    EXPECT_EQ(w.SavesResults(), 1);
    answer(f);
    const QString saved = f.folder.path() + "/answers.htm";
    f.test.dialogs.setNextSaveFileName(saved);
    w.m33Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(f.test.dialogs.boxes.empty());

    // The snapshot, made inert, as the only line, then one line break.
    const QString text = fileText(saved);
    EXPECT_EQ(text, platform::inertPage(exercises::PageSnapshot(f.document())) + "\r\n");
    EXPECT_TRUE(text.trimmed().startsWith("<head>"));
    EXPECT_TRUE(text.contains(QRegularExpression(R"(id="agree"[^>]* checked)")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("value=\"Анна\"")));
    EXPECT_TRUE(text.contains("cols=\"40\">Two\nlines</textarea>"));

    // The next launch of a type 6 lesson clears the flag again.
    mainwindow::TMainFrm& main = *f.windows->MainFrm;
    main.catalogue().list(mainwindow::TMainFrm::List::Types) =
        platform::StringList({"0", "1", "6", "0", "9"});
    main.m22Click();
    EXPECT_EQ(w.SavesResults(), 0);
    EXPECT_EQ(w.Kind(), exercises::TMultiFrm::TestKind::Written);
}

TEST(WrittenTest, CancellingSavesNothingAndCloses) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("written.htm", "7", "60");
    const QStringList before = QDir(f.folder.path()).entryList(QDir::Files);
    w.m33Click();
    EXPECT_EQ(f.test.dialogs.saveRequests.size(), 1u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(QDir(f.folder.path()).entryList(QDir::Files), before);
}

TEST(WrittenTest, AnUnwritableFileIsReportedAndAnotherOneAskedFor) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("written.htm", "6", "1");
    answer(f);
    const QString bad = f.folder.path() + "/no such folder/answers.htm";
    const QString good = f.folder.path() + "/answers.htm";
    f.test.dialogs.setNextSaveFileName(bad);
    f.test.dialogs.setNextSaveFileName(good);
    f.countDown(1);
    EXPECT_EQ(f.test.dialogs.saveRequests.size(), 2u);
    ASSERT_EQ(f.test.dialogs.errors().size(), 1u);
    EXPECT_TRUE(f.test.dialogs.errors()[0].startsWith("Cannot create file "))
        << f.test.dialogs.errors()[0].toStdString();
    EXPECT_TRUE(fileText(good).contains(QString::fromUtf8("value=\"Анна\"")));
    EXPECT_FALSE(w.isVisible());
}

namespace {

// Dialogs that look at the window while a save dialog is open.
class ProbingDialogs : public test::RecordingDialogs {
  public:
    QString askSaveFileName(const platform::SaveDialogOptions& options) override {
        if (whileOpen)
            whileOpen();
        return RecordingDialogs::askSaveFileName(options);
    }
    std::function<void()> whileOpen;
};

}  // namespace

TEST(WrittenTest, TheCountdownStopsWhileTheSaveDialogIsOpen) {
    TestLessonFixture f;
    ProbingDialogs dialogs;
    platform::Platform platform{dialogs,      f.test.shell,    f.test.modal,
                                f.test.files, f.test.browsers, f.test.audio};
    exercises::TMultiFrm w(platform, nullptr);
    f.folder.write("data/text/written.htm", test::testPage("quiz/written.htm"));
    test::LessonLists lists;
    lists.texts = platform::StringList({"written.htm"});
    lists.times = platform::StringList({"5"});
    w.RunTest(lists.entries(f.folder.path()), catalogue::LessonKind::SavedWrittenTest);
    QCoreApplication::processEvents();
    w.show();
    bool runningWhileOpen = true;
    int opened = 0;
    dialogs.whileOpen = [&] {
        if (opened++)
            return;
        runningWhileOpen = w.Timer1->isActive();
        // Time runs out while the learner picks a file: the timer fires as
        // long as it runs.
        for (int i = 0; i < 5; ++i)
            if (w.Timer1->isActive())
                w.Timer1Timer();
    };
    w.m33Click();
    EXPECT_FALSE(runningWhileOpen);
    EXPECT_EQ(dialogs.saveRequests.size(), 1u) << "one save dialog, not a second behind it";
    EXPECT_FALSE(w.isVisible());
}

TEST(WrittenTest, TheChosenNameIsUsedExactlyAsTheDialogGaveIt) {
    TestLessonFixture f;
    f.folder.write("answers.htm", "earlier answers");
    exercises::TMultiFrm& w = f.launch("written.htm", "7", "60");
    answer(f);
    // The dialog saw a new name: nothing else may be replaced.
    const QString saved = f.folder.path() + "/Answers.htm";
    f.test.dialogs.setNextSaveFileName(saved);
    w.m33Click();
    EXPECT_TRUE(f.test.dialogs.errors().isEmpty())
        << f.test.dialogs.errors().join('\n').toStdString();
    EXPECT_EQ(fileText(f.folder.path() + "/answers.htm"), "earlier answers");
    EXPECT_TRUE(fileText(saved).contains(QString::fromUtf8("value=\"Анна\"")));
}

TEST(WrittenTest, TheSavedPageDeclaresTheEncodingOfItsBytes) {
    // The saved page is read back as a browser reads it: by its own declaration.
    const QString typed = QString::fromUtf8("Анна, ça, 日本");
    const struct {
        QByteArray head;
        bool windows;
    } pages[] = {
        {R"(<meta charset="windows-1251">)", true},
        {"<meta charset=windows-1251>", true},
        {R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1251">)", true},
        {R"(<META HTTP-EQUIV="content-type" CONTENT="text/html;charset=utf-8">)", false},
        {"", false},
    };
    for (const auto& page : pages) {
        TestLessonFixture f;
        const QString question = QString::fromUtf8("Ваше имя");
        const QByteArray questionBytes = page.windows ? test::cp1251(question) : question.toUtf8();
        f.folder.write(
            "data/text/test.htm",
            test::htmlPage("<p>" + questionBytes + R"(</p><input type="text" id="answer">)",
                           page.head + "<title>Q</title>"));
        f.folder.writeLines("main.mtp", {"0", "1", "7", "0", "9"});
        mainwindow::TMainFrm& main = f.start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(TestLessonFixture::TestNode));
        main.m22Click();
        QCoreApplication::processEvents();
        exercises::FindElement(f.document(), "answer").set("value", typed);
        const QString saved = f.folder.path() + "/answers.htm";
        f.test.dialogs.setNextSaveFileName(saved);
        f.window().m33Click();

        QFile file(saved);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.head.toStdString();
        const auto reread = platform::DocumentModel::parse(file.readAll(), {}, saved);
        const platform::Variant document = reread->document();
        EXPECT_EQ(exercises::FindElement(document, "answer").get("value").toString(), typed)
            << page.head.toStdString();
        EXPECT_TRUE(document.get("body").get("innerText").toString().contains(question))
            << page.head.toStdString();
    }
}

TEST(WrittenTest, TheSavedPageRunsAndSendsNothingAndKeepsTheAnswers) {
    // What a page's scripts read from the course while it was parsed (the
    // marks, the learner's recording) is in its markup as the test sees it.
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("hostile.htm", "7", "60");
    answer(f);
    const QString saved = f.folder.path() + "/answers.htm";
    f.test.dialogs.setNextSaveFileName(saved);
    w.m33Click();

    const QString text = fileText(saved);
    const QRegularExpression runsOrFetches(
        R"(<(script|iframe|object|embed|base|link|form)\b|\son[a-z]+\s*=|refresh)"
        R"(|\s(src|href|srcset|action|formaction|background)=|url\(|@import|beacon|javascript:)",
        QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(text.contains(runsOrFetches)) << text.toStdString();
    EXPECT_TRUE(text.startsWith(R"(<head><meta charset="utf-8">)"
                                R"(<meta http-equiv="Content-Security-Policy" )"
                                R"(content="default-src 'none'; style-src 'unsafe-inline'">)"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(R"(id="agree"[^>]* checked)")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("value=\"Анна\"")));
    EXPECT_TRUE(text.contains("cols=\"40\">Two\nlines</textarea>"));
    for (const char* kept :
         {"<title>Essay</title>", "1. Your name: ", "3. Your essay:", "your voice", "Help",
          ".text { color: #000000; background: none; }", "style=\"color: #000080; "})
        EXPECT_TRUE(text.contains(QLatin1String(kept))) << kept;
}
