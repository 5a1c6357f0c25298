// The page operations of the exercise windows on real lesson and test pages.
#include "exercises/markup/PageMarkup.h"
#include "platform/Error.h"
#include "platform/browser/DocumentModel.h"
#include "platform/browser/PageFile.h"
#include "platform/files/TextDecoding.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

using namespace lectern::exercises;
using lectern::platform::DocumentModel;
using lectern::platform::Error;
using lectern::platform::PageEdit;
using lectern::platform::PageEditSink;
using lectern::platform::TextDecoding;
using lectern::test::testDataPath;

namespace {

class RecordingSink : public PageEditSink {
  public:
    void pageEdited(const PageEdit& edit) override {
        const char* kind = edit.kind == PageEdit::Kind::Click            ? "click "
                           : edit.kind == PageEdit::Kind::SetAriaCurrent ? "current "
                           : edit.kind == PageEdit::Kind::Focus          ? "focus "
                                                                         : "class ";
        edits.push_back(kind + edit.elementId +
                        (edit.value.isEmpty() ? QString() : " " + edit.value));
    }
    QStringList edits;
};

class PageMarkupTest : public ::testing::Test {
  protected:
    Variant open(const QString& name) {
        model =
            lectern::platform::readPageFile(testDataPath("pages/course/" + name), TextDecoding());
        model->setSink(&sink);
        return model->document();
    }
    QString classOf(const QString& id) {
        return FindElement(model->document(), id).get("className").toString();
    }

    std::shared_ptr<DocumentModel> model;
    RecordingSink sink;
};

TEST_F(PageMarkupTest, MarkCurrentAndMarkRestFollowTheClassTable) {
    const Variant doc = open("lesson.htm");
    const Variant t1 = FindElement(doc, "t1");
    struct Row {
        const char* before;
        const char* current;
        const char* rest;
    };
    for (const Row& row : {Row{"text", "instext", "text"}, Row{"comm", "inscomm", "comm"},
                           Row{"instext", "instext", "text"}, Row{"inscomm", "inscomm", "comm"},
                           Row{"cycle", "instext", "text"}, Row{"Comm", "instext", "text"},
                           Row{"", "instext", "text"}, Row{"note", "instext", "text"}}) {
        SCOPED_TRACE(row.before);
        SetClass(t1, row.before);
        MarkCurrent(t1);
        EXPECT_EQ(classOf("t1"), row.current);
        SetClass(t1, row.before);
        MarkRest(t1);
        EXPECT_EQ(classOf("t1"), row.rest);
    }
}

TEST_F(PageMarkupTest, ShowPassageClicksFirstThenMarksCurrent) {
    const Variant doc = open("lesson.htm");
    ShowPassage(doc, 2);
    EXPECT_EQ(sink.edits, (QStringList{"click a2", "class t2 inscomm", "current t2 true"}));
    ShowPassage(doc, 3);  // "Comm" is ordinary text
    EXPECT_EQ(classOf("t3"), "instext");
    ShowPassage(doc, 4);  // authored without a class
    EXPECT_EQ(classOf("t4"), "instext");
    MarkRest(FindElement(doc, "t4"));
    EXPECT_EQ(classOf("t4"), "text");
    // Passages that are not named keep their state.
    EXPECT_EQ(classOf("t2"), "inscomm");
    MoveHighlight(doc, 2, 1);
    EXPECT_EQ(classOf("t2"), "comm");
    EXPECT_EQ(classOf("t1"), "instext");
}

// A screen reader finds the highlighted passage by its aria-current, which
// moves with the highlight; the page hears of it only when it changes.
TEST_F(PageMarkupTest, TheHighlightedPassageAloneIsMarkedCurrentForScreenReaders) {
    const Variant doc = open("lesson.htm");
    const auto current = [&] {
        QStringList marked;
        for (const char* id : {"t1", "t2", "t3", "t4"})
            if (FindElement(doc, id).call("getAttribute", "aria-current").toString() == "true")
                marked << id;
        return marked;
    };
    ShowPassage(doc, 1);
    EXPECT_EQ(current(), QStringList{"t1"});
    MoveHighlight(doc, 1, 3);
    EXPECT_EQ(current(), QStringList{"t3"});
    EXPECT_EQ(classOf("t1"), "text") << "the course's classes are left as they were";
    sink.edits.clear();
    ShowPassage(doc, 3);
    EXPECT_EQ(sink.edits, QStringList{"click a3"});
    MarkRest(FindElement(doc, "t3"));
    EXPECT_EQ(current(), QStringList());
    EXPECT_FALSE(FindElement(doc, "t3").get("outerHTML").toString().contains("aria-current"));
}

TEST_F(PageMarkupTest, FocusPassageMovesOnlyTheShownPagesReadingPoint) {
    const Variant doc = open("lesson.htm");
    const QString before = doc.get("documentElement").get("outerHTML").toString();
    FocusPassage(doc, 2);
    EXPECT_EQ(sink.edits, QStringList{"focus t2"});
    EXPECT_EQ(doc.get("documentElement").get("outerHTML").toString(), before);
    EXPECT_EQ(lectern::test::errorOf([&] { FocusPassage(doc, 9); }), "Element 't9' not found");
}

TEST_F(PageMarkupTest, ShowPassageOfAMissingPassageFailsBeforeChangingAnything) {
    const Variant doc = open("lesson.htm");
    EXPECT_EQ(lectern::test::errorOf([&] { ShowPassage(doc, 9); }), "Element 'a9' not found");
    EXPECT_TRUE(sink.edits.isEmpty());
    EXPECT_EQ(lectern::test::errorOf([&] { FindElement(doc, "dup"); }),
              "Element id 'dup' is not unique: 2 elements have it");
}

TEST_F(PageMarkupTest, TestPageQueriesStopAtTheGapInNumbering) {
    const Variant doc = open("test.htm");
    EXPECT_EQ(InputCount(doc), 6);
    EXPECT_TRUE(FindInput(doc, 1).isObject());
    EXPECT_TRUE(FindInput(doc, 2).isObject());
    EXPECT_TRUE(FindInput(doc, 3).isEmptyOrNull());
    EXPECT_TRUE(FindInput(doc, 4).isObject());
    EXPECT_EQ(InputRtype(FindInput(doc, 1)), "1");
    EXPECT_EQ(InputRtype(FindInput(doc, 2)), "0");
    EXPECT_EQ(InputName(FindInput(doc, 2)), "capital");
    EXPECT_EQ(InputChecked(FindInput(doc, 2)), "False");
    FindInput(doc, 2).call("Click");
    EXPECT_EQ(InputChecked(FindInput(doc, 2)), "True");
    EXPECT_THROW(InputRtype(FindInput(doc, 5)), Error);
    SetClass(FindElement(doc, "f2"), "instext");
    EXPECT_EQ(classOf("f2"), "instext");
}

TEST_F(PageMarkupTest, SnapshotHoldsTheWholePageWithTheLearnersAnswers) {
    const Variant doc = open("test.htm");
    FindInput(doc, 1).call("Click");
    FindInput(doc, 4).call("Click");
    FindElement(doc, "answer").set("value", QString::fromUtf8("Анна <b> & \"co\""));
    FindElement(doc, "essay").set("value", "Two\nlines & <tags>");
    const QString snapshot = PageSnapshot(doc);
    EXPECT_TRUE(snapshot.trimmed().startsWith("<head>")) << snapshot.left(40).toStdString();
    EXPECT_TRUE(snapshot.trimmed().endsWith("</body>"));
    EXPECT_FALSE(snapshot.contains("<html"));
    EXPECT_TRUE(snapshot.contains(QString::fromUtf8("Столица Франции?")));
    EXPECT_TRUE(
        snapshot.contains(QRegularExpression(R"(<input type="radio" id="q1"[^>]* checked>)")))
        << snapshot.toStdString();
    EXPECT_TRUE(
        snapshot.contains(QRegularExpression(R"(<input type="checkbox" id="q4"[^>]* checked>)")));
    EXPECT_FALSE(snapshot.contains(QRegularExpression(R"(id="q2"[^>]* checked)")));
    EXPECT_TRUE(snapshot.contains(QString::fromUtf8(R"(value='Анна &lt;b&gt; &amp; "co"')")))
        << snapshot.toStdString();
    EXPECT_TRUE(snapshot.contains("cols=\"40\">Two\nlines &amp; &lt;tags&gt;</textarea>"));
    // Unticking takes the tick out again.
    FindInput(doc, 4).call("Click");
    EXPECT_FALSE(PageSnapshot(doc).contains(QRegularExpression(R"(id="q4"[^>]* checked)")));
}

}  // namespace
