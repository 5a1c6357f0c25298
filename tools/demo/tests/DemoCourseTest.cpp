#include "demo/Course.h"
#include "demo/PageWriter.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QSet>

namespace lectern::demo {
namespace {

QStringList ids(const QString& html, const QString& pattern) {
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(html);
    while (it.hasNext()) {
        found << it.next().captured(1);
    }
    return found;
}

TEST(DemoCourse, OffersEveryLessonTypeAndStartsWithANarratedReading) {
    const Course course = demoCourse();
    QSet<QString> types;
    for (const Node& node : course.nodes) {
        types.insert(node.type());
    }
    QSet<QString> expected = {catalogue::ChapterCode};
    for (const catalogue::LessonType& type : catalogue::lessonTypes()) {
        expected.insert(type.code);
    }
    EXPECT_EQ(types, expected);
    // End-to-end tests rely on node 1 being a narrated reading.
    ASSERT_GT(course.nodes.size(), 1);
    EXPECT_EQ(course.nodes[1].kind, catalogue::LessonKind::NarratedReading);
    EXPECT_EQ(course.nodes[0].level, 0);
}

TEST(DemoCourse, TranslatedReadingsTranslateEveryPassage) {
    for (const Reading& reading : demoCourse().readings) {
        for (const Passage& passage : reading.passages) {
            EXPECT_EQ(passage.translation.isEmpty(), !reading.translated)
                << reading.base.toStdString();
        }
    }
}

TEST(DemoCourse, LessonPageNumbersPassagesWithTheirClickTargetsFirst) {
    const Reading reading = demoCourse().readings[3];  // has a commentary
    for (bool translation : {false, true}) {
        const QString html = PageWriter::lessonPage(reading, translation, "../");
        const QStringList order = ids(html, "id=\"([at][0-9]+)\"");
        QStringList expected;
        for (int k = 1; k <= reading.passages.size(); ++k) {
            expected << QString("a%1").arg(k) << QString("t%1").arg(k);
        }
        EXPECT_EQ(order, expected);
        EXPECT_EQ(ids(html, "id=\"t[0-9]+\" class=\"(\\w+)\"").count("comm"), 1);
        EXPECT_TRUE(html.contains("href=\"../lesson.css\""));
    }
}

TEST(DemoCourse, TestPageNumbersInputsWithoutGapsEachWithRtypeNameAndFeedback) {
    const ChoiceTest test = demoCourse().choiceTests.first();
    const QString html = PageWriter::choiceTestPage(test);
    int options = 0;
    for (const Question& question : test.questions) {
        options += question.options.size();
    }
    QStringList expectedInputs, expectedFeedback;
    for (int j = 1; j <= options; ++j) {
        expectedInputs << QString::number(j);
        expectedFeedback << QString::number(j);
    }
    EXPECT_EQ(ids(html, "<input [^>]*id=\"q([0-9]+)\" name=\"\\w+\" rtype=\"[01]\""),
              expectedInputs);
    EXPECT_EQ(ids(html, "id=\"f([0-9]+)\" class=\"text\""), expectedFeedback);
    EXPECT_EQ(html.count("<input"), options);
}

}  // namespace
}  // namespace lectern::demo
