// The browser component over the headless engine, and the late-bound
// document model it hands out, against real page files.
#include "doubles/HeadlessBrowserEngine.h"
#include "platform/Error.h"
#include "platform/browser/DocumentModel.h"
#include "platform/browser/PageFile.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/files/CourseFiles.h"
#include "support/ErrorOf.h"
#include "support/PageFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <functional>

using namespace lectern::platform;
using lectern::test::deepPage;
using lectern::test::HeadlessBrowserEngine;
using lectern::test::htmlPage;
using lectern::test::TempDir;
using lectern::test::testDataPath;

namespace {

QString page(const QString& name) {
    return testDataPath(QStringLiteral("pages/course/") + name);
}

using lectern::test::errorOf;

class HeadlessBrowserTest : public ::testing::Test {
  protected:
    Variant load(const QString& file) {
        QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
        browser.Navigate(file);
        EXPECT_TRUE(complete.wait(5000));
        return browser.Document();
    }

    CourseFiles files;
    HeadlessBrowserEngine engine{files};
    TCppWebBrowser browser{engine};
};

TEST_F(HeadlessBrowserTest, DocumentArrivesAfterNavigateReturnsAndCompletesOnce) {
    EXPECT_TRUE(browser.Document().isEmpty());
    QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
    // Course paths come with '\' separators.
    browser.Navigate(page("lesson.htm").replace('/', '\\'));
    EXPECT_TRUE(browser.Document().isEmpty());
    EXPECT_EQ(complete.count(), 0);
    ASSERT_TRUE(complete.wait(5000));
    EXPECT_TRUE(browser.Document().isObject());
    EXPECT_EQ(browser.LocationURL(), page("lesson.htm").replace('/', '\\'));
    QCoreApplication::processEvents();
    EXPECT_EQ(complete.count(), 1);
}

TEST_F(HeadlessBrowserTest, OnlyTheLatestOfQuickNavigationsCompletes) {
    QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
    browser.Navigate(page("test.htm"));
    browser.Navigate(page("lesson.htm"));
    ASSERT_TRUE(complete.wait(5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(complete.count(), 1);
    EXPECT_EQ(browser.Document().get("all").get("t1").get("className").toString(), "text");
}

TEST_F(HeadlessBrowserTest, MembersResolveWithoutRegardToCase) {
    const Variant doc = load(page("lesson.htm"));
    const Variant t1 = doc.get("ALL").get("t1");
    EXPECT_EQ(t1.get("className").toString(), "text");
    EXPECT_EQ(t1.get("CLASSNAME").toString(), "text");
    EXPECT_EQ(doc.get("all").get("t4").get("className").toString(), "");
    t1.set("ClassName", "instext");
    EXPECT_EQ(doc.get("all").get("t1").get("className").toString(), "instext");
    EXPECT_EQ(doc.get("Body").get("tagName").toString(), "BODY");
    EXPECT_EQ(doc.get("body").get("parentNode").get("tagName").toString(), "HTML");
    EXPECT_EQ(doc.get("all").get("t1").get("innerHTML").toString(),
              QString::fromUtf8("Первый отрывок."));
}

TEST_F(HeadlessBrowserTest, LookupsThatFindNothingSayWhat) {
    const Variant doc = load(page("lesson.htm"));
    EXPECT_EQ(errorOf([&] { doc.get("all").get("t7"); }), "Element 't7' not found");
    EXPECT_EQ(errorOf([&] { doc.get("all").get("dup"); }),
              "Element id 'dup' is not unique: 2 elements have it");
    EXPECT_TRUE(doc.call("getElementById", "t7").isEmptyOrNull());
    EXPECT_TRUE(doc.call("getElementById", "t2").isObject());
    EXPECT_EQ(errorOf([&] { doc.get("all").get("t1").get("rtype"); }),
              "Member 'rtype' not found in element 't1'");
    EXPECT_EQ(errorOf([&] { doc.get("all").get("t1").call("Explode"); }),
              "Member 'Explode' not found in element 't1'");
    EXPECT_EQ(errorOf([&] { doc.get("frames"); }), "Member 'frames' not found in the document");
    EXPECT_EQ(errorOf([&] { doc.call("getElementById"); }),
              "Method 'getElementById' of the document needs an argument");
    EXPECT_EQ(errorOf([&] { doc.call("getElementById", "t7").get("className"); }),
              "Cannot use member 'className' of a null value");
    EXPECT_EQ(errorOf([] { Variant().get("all"); }), "Cannot use member 'all' of an empty value");
}

TEST_F(HeadlessBrowserTest, InputsReportTickStateAndAttributes) {
    const Variant doc = load(page("test.htm"));
    EXPECT_EQ(doc.call("getElementsByTagName", "INPUT").get("Length").toInt(), 6);
    const Variant q1 = doc.call("getElementById", "q1");
    const Variant q2 = doc.call("getElementById", "q2");
    const Variant q4 = doc.call("getElementById", "q4");
    EXPECT_EQ(q1.get("rtype").toString(), "1");
    EXPECT_EQ(q1.get("name").toString(), "capital");
    EXPECT_EQ(q1.get("Checked").toString(), "False");
    // A radio button becomes the ticked one of its group.
    q1.call("Click");
    q2.call("Click");
    EXPECT_EQ(q1.get("Checked").toString(), "False");
    EXPECT_EQ(q2.get("Checked").toString(), "True");
    // A checkbox toggles.
    q4.call("click");
    EXPECT_EQ(q4.get("checked").toString(), "True");
    q4.call("Click");
    EXPECT_EQ(q4.get("Checked").toString(), "False");
    // A click on anything else changes nothing.
    doc.get("all").get("f1").call("Click");
    EXPECT_EQ(doc.get("all").get("f1").get("className").toString(), "text");
}

TEST_F(HeadlessBrowserTest, IdIndexFollowsIdChanges) {
    const Variant doc = load(page("lesson.htm"));
    doc.get("all").get("t4").set("id", "t5");
    EXPECT_EQ(errorOf([&] { doc.get("all").get("t4"); }), "Element 't4' not found");
    EXPECT_EQ(doc.get("all").get("t5").get("innerHTML").toString(), "A passage without class.");
}

TEST_F(HeadlessBrowserTest, APageThatCannotBeOpenedGivesABlankDocumentThatSaysWhy) {
    const Variant doc = load(page("no-such-page.htm"));
    ASSERT_TRUE(doc.isObject());
    EXPECT_EQ(errorOf([&] { doc.get("all").get("t1"); }),
              "Element 't1' not found: the page " + page("no-such-page.htm") + " does not exist");
    EXPECT_EQ(doc.call("getElementsByTagName", "input").get("Length").toInt(), 0);
    const Variant folder = load(testDataPath("pages/course"));
    EXPECT_TRUE(errorOf([&] { folder.get("all").get("t1"); }).endsWith("is a folder"));
}

TEST_F(HeadlessBrowserTest, BadPagesLoadWithoutHarm) {
    TempDir dir;
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 37) % 256));
    const QByteArray deep = deepPage(100000);
    const QByteArray huge =
        htmlPage("<p id=\"t1\" class=\"text\">" + QByteArray(15 * 1024 * 1024, 'x') + "</p>");
    const QByteArray invalid = htmlPage("<p id=\"t1\">\xff\xfe\xc3(\x80 ok</p>");
    for (const auto& [name, bytes] : {std::pair{"binary.htm", binary},
                                      {"deep.htm", deep},
                                      {"huge.htm", huge},
                                      {"invalid.htm", invalid},
                                      {"empty.htm", QByteArray()}}) {
        SCOPED_TRACE(name);
        const Variant doc = load(dir.write(name, bytes));
        ASSERT_TRUE(doc.isObject());
        // Whatever came of the page, the whole of it can be read back.
        doc.get("body").get("parentNode").get("innerHTML").toString();
    }
    const Variant deepDoc = load(dir.path() + "/deep.htm");
    EXPECT_EQ(deepDoc.get("all").get("t1").get("className").toString(), "text");
    const Variant hugeDoc = load(dir.path() + "/huge.htm");
    EXPECT_EQ(hugeDoc.get("all").get("t1").get("innerHTML").toString().size(), 15 * 1024 * 1024);
    EXPECT_TRUE(load(dir.path() + "/invalid.htm")
                    .get("all")
                    .get("t1")
                    .get("innerHTML")
                    .toString()
                    .endsWith(" ok"));
}

TEST_F(HeadlessBrowserTest, PagesWithoutCharsetAreReadInTheCourseCodePage) {
    TempDir dir;
    files.decoding().setLegacyCodePage("CP1251");
    const Variant doc = load(dir.write("legacy.htm", "<p id=\"t1\">\xcf\xf0\xe8\xe2\xe5\xf2</p>"));
    EXPECT_EQ(doc.get("all").get("t1").get("innerHTML").toString(), QString::fromUtf8("Привет"));
}

TEST(IdIndexTest, LookupsHoldThroughManyIdChanges) {
    QByteArray body;
    for (int i = 0; i < 3000; ++i)
        body += QStringLiteral("<p id=\"p%1\">%1</p><p id=\"a-rather-long-identifier-%1\">%1</p>")
                    .arg(i)
                    .toUtf8();
    auto model = DocumentModel::parse(htmlPage(body), "UTF-8", "ids");
    const Variant all = model->document().get("all");
    for (int i = 0; i < 3000; i += 2) {
        all.get(QStringLiteral("p%1").arg(i)).set("id", QStringLiteral("q%1").arg(i));
        all.get(QStringLiteral("a-rather-long-identifier-%1").arg(i))
            .set("id", QStringLiteral("long-q-%1").arg(i));
    }
    for (int i = 0; i < 3000; ++i) {
        const QString short_ = QString::fromLatin1(i % 2 ? "p%1" : "q%1").arg(i);
        const QString long_ =
            QString::fromLatin1(i % 2 ? "a-rather-long-identifier-%1" : "long-q-%1").arg(i);
        ASSERT_EQ(all.get(short_).get("innerHTML").toString(), QString::number(i)) << i;
        ASSERT_EQ(all.get(long_).get("innerHTML").toString(), QString::number(i)) << i;
        ASSERT_TRUE(model->document()
                        .call("getElementById",
                              i % 2 ? QStringLiteral("q%1").arg(i) : QStringLiteral("p%1").arg(i))
                        .isNull());
    }
    // A duplicate made later: the lookup by id gives the first in document order.
    all.get("p2999").set("id", "p1");
    EXPECT_THROW(all.get("p1"), Error);
    EXPECT_EQ(model->document().call("getElementById", "p1").get("innerHTML").toString(), "1");
    model->document().call("getElementById", "p1").set("id", "p1-moved");
    EXPECT_EQ(all.get("p1").get("innerHTML").toString(), "2999");
}

TEST(DocumentModelTest, IdsClassesAndInputKindsAreReadAsABrowserWould) {
    const QByteArray body =
        "<p ID=\"upper\" CLASS=\"Big\">1</p>"
        "<p id=\"first\" id=\"second\" class=\"a\" class=\"b\">2</p>"
        "<p id=\"x&amp;y\" class=\"&lt;c&gt;\">3</p>"
        "<p id=\"über-€\" class=\"\">4</p>"
        "<p id=\"another-rather-long-id\" class=\"Big\">5</p>"
        "<input id=\"box\" TYPE=\"CheckBox\">";
    auto model = DocumentModel::parse(htmlPage(body), "UTF-8", "attributes");
    const Variant all = model->document().get("all");
    const struct {
        const char* id;
        const char* className;
        const char* text;
    } cases[] = {
        {"upper", "Big", "1"},
        {"first", "a", "2"},
        {"x&y", "<c>", "3"},
        {"über-€", "", "4"},
        {"another-rather-long-id", "Big", "5"},
    };
    for (const auto& c : cases) {
        const QString id = QString::fromUtf8(c.id);
        SCOPED_TRACE(id.toStdString());
        EXPECT_EQ(all.get(id).get("className").toString(), QString::fromUtf8(c.className));
        EXPECT_EQ(all.get(id).get("innerHTML").toString(), c.text);
    }
    // A repeated attribute is dropped, as a browser drops it.
    EXPECT_TRUE(model->document().call("getElementById", "second").isNull());
    all.get("box").call("Click");
    EXPECT_EQ(all.get("box").get("checked").toString(), "True");
}

class RecordingSink : public PageEditSink {
  public:
    void pageEdited(const PageEdit& edit) override { edits.push_back(edit); }
    std::vector<PageEdit> edits;
};

TEST(DocumentModelTest, ChangesReachTheSinkNamedByUniqueIdOrPosition) {
    auto model = readPageFile(page("lesson.htm"), TextDecoding());
    RecordingSink sink;
    model->setSink(&sink);
    const Variant doc = model->document();
    doc.get("all").get("a2").call("Click");
    doc.get("all").get("t2").set("className", "inscomm");
    doc.call("getElementById", "dup").set("className", "instext");
    ASSERT_EQ(sink.edits.size(), 3u);
    EXPECT_EQ(sink.edits[0].kind, PageEdit::Kind::Click);
    EXPECT_EQ(sink.edits[0].elementId, "a2");
    EXPECT_EQ(sink.edits[1].kind, PageEdit::Kind::SetClass);
    EXPECT_EQ(sink.edits[1].elementId, "t2");
    EXPECT_EQ(sink.edits[1].value, "inscomm");
    // A duplicated id cannot name the element; its position can.
    EXPECT_TRUE(sink.edits[2].elementId.isEmpty());
    EXPECT_EQ(doc.call("getElementsByTagName", "*")
                  .get(QString::number(sink.edits[2].elementIndex))
                  .get("className")
                  .toString(),
              "instext");
}

TEST(DocumentModelTest, TheLearnersInputsAreTakenOver) {
    auto model = readPageFile(page("test.htm"), TextDecoding());
    const Variant doc = model->document();
    model->applyInputState({3, true, QString()});  // q4
    model->applyInputState({5, false, QStringLiteral("Ann")});
    model->applyInputState({6, false, QStringLiteral("line")});  // the textarea
    model->applyInputState({99, true, QString()});
    EXPECT_EQ(doc.call("getElementById", "q4").get("Checked").toString(), "True");
    EXPECT_EQ(doc.get("all").get("answer").get("value").toString(), "Ann");
    EXPECT_EQ(doc.get("all").get("essay").get("value").toString(), "line");
}

// The parser keeps elements inside a text area; its new value frees them.
TEST(DocumentModelTest, ElementsATextAreasNewValueFreesLeaveTheModel) {
    const QByteArray body =
        "<textarea id=\"essay\"><input type=\"radio\" name=\"g\" id=\"q1\" rtype=\"1\">"
        "<span id=\"t1\" class=\"text\">x</span><b id=\"twice\"></b></textarea>"
        "<input type=\"radio\" name=\"g\" id=\"q2\"><p id=\"twice\">after</p>";
    const struct {
        const char* how;
        std::function<void(DocumentModel&, const Variant&)> replace;
    } ways[] = {
        {"setValue", [](DocumentModel&,
                        const Variant& doc) { doc.get("all").get("essay").set("value", "typed"); }},
        {"applyInputState",
         [](DocumentModel& model, const Variant&) {
             model.applyInputState({0, false, QStringLiteral("typed")});
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        auto model = DocumentModel::parse(htmlPage(body), "UTF-8", "area");
        const Variant doc = model->document();
        const Variant inner = doc.get("all").get("q1");
        const Variant span = doc.get("all").get("t1");
        const int before = doc.get("all").get("length").toInt();
        span.set("className", "instext");  // pending until the markup is read
        way.replace(*model, doc);

        EXPECT_EQ(errorOf([&] { (void)inner.get("rtype"); }),
                  "Cannot use element 'q1': a new value of the text area around it took it "
                  "out of the page");
        EXPECT_NE(errorOf([&] { span.set("className", "text"); }), "(no error)");
        EXPECT_NE(errorOf([&] { inner.call("Click"); }), "(no error)");
        EXPECT_TRUE(doc.call("getElementById", "q1").isNull());
        EXPECT_EQ(doc.get("all").get("twice").get("innerHTML").toString(), "after");
        EXPECT_EQ(doc.get("all").get("length").toInt(), before - 3);
        EXPECT_EQ(doc.call("getElementsByTagName", "input").get("length").toInt(), 1);
        EXPECT_EQ(doc.get("all").get("essay").get("value").toString(), "typed");
        // The radio group and the input states go on without the element gone.
        doc.get("all").get("q2").call("Click");
        model->applyInputState({1, true, QString()});
        EXPECT_EQ(doc.get("all").get("q2").get("checked").toString(), "True");
        EXPECT_FALSE(doc.get("body").get("innerHTML").toString().contains("instext"));
    }
}

}  // namespace
