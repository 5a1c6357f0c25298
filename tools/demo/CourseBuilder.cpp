#include "demo/CourseBuilder.h"

#include "demo/Artwork.h"
#include "demo/Geometry.h"
#include "demo/Narrator.h"
#include "demo/PageWriter.h"
#include "demo/SkinWriter.h"

#include <QTemporaryDir>
#include <stdexcept>

namespace lectern::demo {

namespace {

const QSize kBanner(560, 140);

QString lessonKind(catalogue::LessonKind kind) {
    using K = catalogue::LessonKind;
    switch (kind) {
        case K::NarratedReading:
            return "Listen and read";
        case K::UnitWork:
            return "Text and translation";
        case K::Recording:
            return "Read aloud";
        case K::RecordingReplay:
            return "Listen to yourself";
        case K::ChoiceTest:
            return "Multiple-choice quiz";
        case K::WrittenTest:
            return "Written test";
        case K::SavedWrittenTest:
            return "Notebook";
        case K::TimedRecording:
            return "Timed recording";
        case K::Sorting:
            return "Sorting";
        case K::PlayAlongRecording:
            return "Read along";
    }
    return QString();
}

// "chapter2\giants" lies one folder deeper than its style sheet.
QString upToRoot(const QString& entry) {
    return QString("../").repeated(entry.count('\\'));
}

QString banner(const QString& page) {
    return "img/" + page.section('.', 0, 0) + ".jpg";
}

}  // namespace

CourseBuilder::CourseBuilder(Course course, CourseFolder folder)
    : course_(std::move(course)), folder_(std::move(folder)) {}

void CourseBuilder::build() const {
    folder_.recreate();
    writeCatalogue();
    writeSkin();
    writeDescriptions();
    writeLessons();
    writeTests();
    writeSorting();
    writeSounds();
    writeHelp();
}

void CourseBuilder::writeCatalogue() const {
    QStringList tree, types, sounds, names, texts, trans, descr, times, captions, marks;
    for (const Node& node : course_.nodes) {
        tree << QString(node.level, '\t') + node.caption;
        types << node.type();
        sounds << node.sound;
        names << node.name;
        texts << node.text;
        trans << node.trans;
        descr << node.description.page;
        times << QString::number(node.time);
        captions << node.windowCaption;
        marks << node.marks;
    }
    folder_.writeLines("main.mrb", tree);
    folder_.writeLines("main.mtp", types);
    folder_.writeLines("sound.mtp", sounds);
    folder_.writeLines("name.mtp", names);
    folder_.writeLines("text.mtp", texts);
    folder_.writeLines("trans.mtp", trans);
    folder_.writeLines("descr.mtp", descr);
    folder_.writeLines("time.mtp", times);
    folder_.writeLines("zagol.mtp", captions);
    folder_.writeLines("zmarks.mtp", marks);
    // The splash with its chime at start; the introduction only on request.
    folder_.writeLines("wind.mtp",
                       {course_.title, "splash.jpg", "1", "Introduction", course_.introduction.page,
                        "0", "About this course", course_.about.page, "1"});
    QStringList design;
    for (int value : Geometry::designLines()) {
        design << QString::number(value);
    }
    folder_.writeLines("main.dsg", design);
    folder_.writeLines("main.rbp", {"Lectern demo course", course_.title});
}

void CourseBuilder::writeSkin() const {
    SkinWriter(folder_.folder("gdata"), course_.title, "Lectern demo course").writeAll();
    SkinWriter::saveJpeg(Artwork::splash(QSize(Geometry::kSplashWidth, Geometry::kSplashHeight),
                                         course_.title, course_.subtitle),
                         folder_.path("data\\descr\\splash.jpg"));
}

void CourseBuilder::writeDescriptions() const {
    folder_.writeText("data\\descr\\descr.css", PageWriter::descriptionStyle());
    QList<Description> pages = {course_.introduction, course_.about};
    for (const Node& node : course_.nodes) {
        pages << node.description;
    }
    for (const Description& page : pages) {
        const QString picture = banner(page.page);
        SkinWriter::saveJpeg(Artwork::illustration(kBanner, page.picture),
                             folder_.path("data\\descr\\" + picture));
        folder_.writeText("data\\descr\\" + page.page, PageWriter::descriptionPage(page, picture));
    }
}

void CourseBuilder::writeLessons() const {
    folder_.writeText("data\\text\\lesson.css", PageWriter::lessonStyle());
    for (const Reading& reading : course_.readings) {
        const QString root = upToRoot(reading.base);
        folder_.writeText("data\\text\\" + reading.base + ".htm",
                          PageWriter::lessonPage(reading, false, root));
        if (reading.translated) {
            folder_.writeText("data\\text\\" + reading.base + "_fr.htm",
                              PageWriter::lessonPage(reading, true, root));
        }
    }
}

void CourseBuilder::writeTests() const {
    folder_.writeText("data\\text\\test.css", PageWriter::testStyle());
    for (const ChoiceTest& test : course_.choiceTests) {
        folder_.writeText("data\\text\\" + test.page, PageWriter::choiceTestPage(test));
    }
    for (const WrittenTest& test : course_.writtenTests) {
        folder_.writeText("data\\text\\" + test.page, PageWriter::writtenTestPage(test));
    }
}

// The player reads a sorting file as groups, each ended by an empty line that
// itself belongs to the group it ends: group 1 fills the left-hand list (its
// closing empty line shows there as a blank row), group 2 is what the
// right-hand list must hold, group 3 what the middle list must hold. Group 2
// therefore always expects one empty item, which only the blank row of the
// left-hand list can give. The file leaves out the empty line after group 3,
// so that the middle list expects no second blank row that nobody could give.
//
// Sorted right: every rocky planet and the blank row into the right-hand list,
// every giant into the middle list; the left-hand list ends up empty, and the
// count at the end of the minute finds no error.
void CourseBuilder::writeSorting() const {
    for (const SortingTask& task : course_.sortingTasks) {
        folder_.writeLines("data\\text\\" + task.file, QStringList(task.offered)
                                                           << QString() << task.rightList
                                                           << QString() << task.middleList);
    }
}

void CourseBuilder::writeSounds() const {
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    Narrator narrator(scratch.path());
    for (const Reading& reading : course_.readings) {
        if (!reading.narrated) {
            continue;
        }
        QStringList passages;
        for (const Passage& passage : reading.passages) {
            passages << passage.text;
        }
        const QList<int> marks =
            narrator.narrate(passages, folder_.path("data\\sound\\" + reading.base + ".wav"));
        QStringList lines;
        for (int mark : marks) {
            lines << QString::number(mark);
        }
        folder_.writeLines("data\\marks\\" + reading.base + ".txt", lines);
    }
    narrator.intro("Welcome to " + course_.title + ".", folder_.path("data\\intro.wav"));
    Narrator::blank(folder_.path("data\\empty.wav"));
}

void CourseBuilder::writeHelp() const {
    folder_.writeText(
        "help\\help.htm",
        PageWriter::helpPage(
            "How to use this course",
            {"The list on the left holds the chapters and their lessons. Click a lesson to "
             "see what it is about; press <b>Run lesson</b> or double-click it to start it.",
             "<b>Introduction</b> shows the welcome page, <b>About</b> tells about the "
             "course, <b>Exit</b> closes the player.",
             "In every lesson window, rest the mouse on a button to see what it does; "
             "<b>Help</b> explains the lesson and <b>Exit</b> takes you back to the list."}));
    QStringList done;
    for (const Node& node : course_.nodes) {
        if (!node.kind || done.contains(node.type())) {
            continue;
        }
        done << node.type();
        folder_.writeText(
            "help\\help_" + node.type() + ".htm",
            PageWriter::helpPage("Help: " + lessonKind(*node.kind),
                                 {node.description.howTo,
                                  "Rest the mouse on a button to see its name. <b>Exit</b> "
                                  "closes the lesson and takes you back to the list."}));
    }
}

}  // namespace lectern::demo
