#pragma once

#include "catalogue/LessonTypes.h"
#include "demo/Artwork.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace lectern::demo {

// One timed piece of a lesson page and its translation.
struct Passage {
    QString text;
    QString translation;
    bool commentary = false;
    bool newParagraph = false;  // starts a new paragraph on the page
};

// A narrated text: its page (and translation page), marks and sound share
// the base name, which may hold a sub-folder part ("chapter2\giants").
struct Reading {
    QString base;
    QString title;
    QString translationTitle;
    QList<Passage> passages;
    bool narrated = true;
    bool translated = false;
};

struct Option {
    QString text;
    bool right = false;
    QString feedback;  // shown when the learner chooses this option although it is wrong
};

struct Question {
    QString prompt;
    QList<Option> options;
    bool severalRight = false;  // check boxes instead of radio buttons
};

struct ChoiceTest {
    QString page;
    QString title;
    QString intro;
    QList<Question> questions;
};

struct WrittenTest {
    QString page;
    QString title;
    QString intro;
    QStringList shortAnswers;  // one-line answers
    QStringList longAnswers;   // paragraphs
};

// The three groups of a sorting file: the items offered, then the expected
// contents of the right-hand and of the middle list.
struct SortingTask {
    QString file;
    QStringList offered;
    QStringList rightList;
    QStringList middleList;
};

struct Description {
    QString page;
    QString title;
    QList<Artwork::Body> picture;
    QStringList paragraphs;  // HTML
    QString howTo;           // HTML; what to do in the lesson
};

// One line of "main.mrb" and of every per-node file.
struct Node {
    // The node's entry in the type list.
    QString type() const {
        return QLatin1String(kind ? catalogue::lessonTypeOf(*kind).code : catalogue::ChapterCode);
    }

    int level = 0;
    QString caption;                            // tree caption
    std::optional<catalogue::LessonKind> kind;  // none for chapters, which open nothing
    QString name;
    QString windowCaption;
    QString text;
    QString trans;
    QString marks;
    QString sound;
    int time = 0;
    Description description;
};

struct Course {
    QString title;
    QString subtitle;
    QList<Node> nodes;
    QList<Reading> readings;
    QList<ChoiceTest> choiceTests;
    QList<WrittenTest> writtenTests;
    QList<SortingTask> sortingTasks;
    Description introduction;
    Description about;
};

// The demo course: "A walk through the solar system".
Course demoCourse();

}  // namespace lectern::demo
