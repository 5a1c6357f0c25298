// The content of the demo course "A walk through the solar system": three
// chapters that together use every lesson type of the player.
//
//  0 The Sun and the rocky planets  (chapter)
//  1   The Sun                       type 1   narrated reading
//  2   Mercury and Venus             type 2   text and French translation, units and cycles
//  3   The Earth - read aloud        type 3   recording guided by the marks
//  4   The Earth - read along        type 11  recording with the narration playing
//  5   The Earth - listen to yourself type 4  the learner's recording with the translation
//  6   Quiz                          type 5   multiple choice, 120 s
//  7 The giant planets               (chapter)
//  8   Jupiter and Saturn            type 2   pages, marks and sound in "chapter2\"
//  9   Uranus and Neptune            type 1   pages, marks and sound in "chapter2\"
// 10 Review                          (chapter)
// 11   Mars - a timed talk           type 8   20 s recording
// 12   Rocky or giant?               type 9   sorting, 60 s
// 13   Test yourself                 type 6   written answers, 300 s
// 14   My notebook                   type 7   written answers saved with Check
#include "demo/Course.h"

namespace lectern::demo {

namespace {

using Body = Artwork::Body;
using Kind = catalogue::LessonKind;

QString howTo(Kind kind) {
    if (kind == Kind::NarratedReading) {
        return "Press <b>Play</b> to hear the text; the sentence being read is highlighted. "
               "<b>Pause</b> stops and continues, <b>Stop</b> goes back to the beginning. "
               "While the sound is stopped, the slider picks a sentence to start from.";
    }
    if (kind == Kind::UnitWork) {
        return "The English text and its French translation are highlighted together as "
               "you listen. To practise a few sentences again and again, stop on the first "
               "of them and press <b>Begin unit</b>, move on to the last one and press "
               "<b>End unit</b>, then <b>Play cycle</b>. <b>Stop</b> ends the cycle.";
    }
    if (kind == Kind::Recording) {
        return "Press <b>Play</b> (start recording) and read each highlighted sentence aloud "
               "at your own pace; the highlight moves on in the rhythm of the narrator. "
               "Your recording is kept for the lesson <i>Listen to yourself</i>.";
    }
    if (kind == Kind::PlayAlongRecording) {
        return "Press <b>Play</b> (start recording): the narrator reads and you read along "
               "with them, sentence by sentence. Then open <i>Listen to yourself</i>.";
    }
    if (kind == Kind::RecordingReplay) {
        return "Replays your last recording from <i>Read aloud</i> or <i>Read along</i>, "
               "with the text and its translation highlighted in your own timing. "
               "Record one of those lessons first.";
    }
    if (kind == Kind::ChoiceTest) {
        return "Tick the right answers, then press <b>Stop</b> (Check) to count your "
               "errors. Wrong choices are marked on the page. You have two minutes; "
               "<b>Play</b> resumes the clock after a check.";
    }
    if (kind == Kind::WrittenTest) {
        return "Write your answers in the boxes. When the five minutes are up, you are "
               "asked where to save the page with your answers.";
    }
    if (kind == Kind::SavedWrittenTest) {
        return "Write as much as you like, without a time limit. Press <b>Stop</b> (Check) "
               "to save the page with your answers as an HTML file.";
    }
    if (kind == Kind::TimedRecording) {
        return "Press <b>Play</b> (start recording) and talk about Mars for twenty seconds; "
               "the slider shows the time. At the end you can save your recording.";
    }
    if (kind == Kind::Sorting) {
        return "Drag every planet out of the left-hand list: the <b>rocky planets</b> into "
               "the <b>right-hand</b> list, the <b>giant planets</b> into the <b>middle</b> "
               "list. The blank row at the bottom of the left-hand list belongs with the "
               "rocky planets too. Your work is counted when the minute is up "
               "(<b>Stop</b> pauses the clock, <b>Play</b> runs it again).";
    }
    return QString();
}

Node chapter(const QString& caption, const QString& page, QList<Body> picture,
             QStringList paragraphs) {
    Node node;
    node.caption = caption;
    node.name = page.section('.', 0, 0);
    node.windowCaption = caption;
    node.description = {page, caption, std::move(picture), std::move(paragraphs), QString()};
    return node;
}

Node lesson(Kind kind, const QString& caption, const QString& windowCaption, const QString& page,
            QList<Body> picture, QStringList paragraphs) {
    Node node;
    node.level = 1;
    node.caption = caption;
    node.kind = kind;
    node.name = page.section('.', 0, 0);
    node.windowCaption = windowCaption;
    node.description = {page, caption, std::move(picture), std::move(paragraphs), howTo(kind)};
    return node;
}

Reading sun() {
    return {"sun",
            "The Sun",
            QString(),
            {{"The Sun is the star at the centre of our solar system.", {}, false, true},
             {"It is a huge ball of hot gas, mostly hydrogen and helium.", {}},
             {"More than a million Earths could fit inside it.", {}},
             {"The light you see from the Sun left it about eight minutes ago.", {}, true, true},
             {"Its gravity holds the eight planets in their orbits.", {}, false, true},
             {"Without its light and warmth, there would be no life on Earth.", {}}},
            true,
            false};
}

Reading mercury() {
    return {"mercury",
            "Mercury and Venus",
            "Mercure et Vénus",
            {{"Mercury is the smallest planet, and the closest to the Sun.",
              "Mercure est la plus petite planète, et la plus proche du Soleil.", false, true},
             {"A year on Mercury lasts only eighty-eight Earth days.",
              "Une année sur Mercure ne dure que quatre-vingt-huit jours terrestres."},
             {"Venus is almost the same size as the Earth.",
              "Vénus a presque la même taille que la Terre.", false, true},
             {"Its thick clouds trap the heat, so it is the hottest planet of all.",
              "Ses nuages épais retiennent la chaleur : c'est la planète la plus chaude."},
             {"Venus turns so slowly that its day is longer than its year.",
              "Vénus tourne si lentement que son jour est plus long que son année."},
             {"After the Moon, it is the brightest thing in the night sky.",
              "Après la Lune, c'est l'astre le plus brillant du ciel nocturne.", false, true}},
            true,
            true};
}

Reading earth() {
    return {"earth",
            "The Earth",
            "La Terre",
            {{"The Earth is the third planet from the Sun.",
              "La Terre est la troisième planète à partir du Soleil.", false, true},
             {"It is the only world we know with liquid water on its surface.",
              "C'est le seul monde connu qui ait de l'eau liquide à sa surface."},
             {"Its air protects us from the cold of space.",
              "Son atmosphère nous protège du froid de l'espace."},
             {"The Moon travels around the Earth about once a month.",
              "La Lune fait le tour de la Terre environ une fois par mois.", false, true},
             {"Together they have been dancing for four and a half billion years.",
              "Ensemble, elles dansent depuis quatre milliards et demi d'années."}},
            true,
            true};
}

Reading giants() {
    return {"chapter2\\giants",
            "Jupiter and Saturn",
            "Jupiter et Saturne",
            {{"Jupiter is the largest planet in the solar system.",
              "Jupiter est la plus grande planète du système solaire.", false, true},
             {"Its Great Red Spot is a storm bigger than the Earth.",
              "Sa Grande Tache rouge est une tempête plus grande que la Terre."},
             {"A giant planet has no solid ground to stand on.",
              "Une planète géante n'a pas de sol solide où se poser.", true, true},
             {"Saturn is famous for its bright rings of ice and rock.",
              "Saturne est célèbre pour ses anneaux brillants de glace et de roche.", false, true},
             {"It is so light that it would float in a giant bathtub.",
              "Elle est si légère qu'elle flotterait dans une baignoire géante."}},
            true,
            true};
}

Reading iceGiants() {
    return {"chapter2\\icegiants",
            "Uranus and Neptune",
            QString(),
            {{"Beyond Saturn lie the two ice giants, Uranus and Neptune.", {}, false, true},
             {"Uranus rolls around the Sun on its side, like a ball.", {}},
             {"Neptune is the windiest planet, with storms faster than sound.", {}, false, true},
             {"Neptune was found by mathematics before anyone saw it.", {}, true, true},
             {"Sunlight takes about four hours to reach it.", {}, false, true}},
            true,
            false};
}

Reading mars() {
    return {"mars",
            "Mars, the red planet",
            QString(),
            {{"Mars is the fourth planet from the Sun.", {}, false, true},
             {"Its red colour comes from rusty dust.", {}},
             {"It has the highest volcano in the solar system.", {}},
             {"Tell what you know: the size of Mars, its two small moons, its ice caps, and "
              "the robots that explore it.",
              {},
              true,
              true}},
            false,
            false};
}

ChoiceTest quiz() {
    return {"quiz.htm",
            "Quiz: the Sun and the rocky planets",
            "Choose the right answers. Some questions have more than one.",
            {{"Which planet is the closest to the Sun?",
              {{"Mercury", true, {}},
               {"Venus", false, "No: Venus is the second planet."},
               {"The Earth", false, "No: the Earth is the third planet."}}},
             {"Which planet is the hottest?",
              {{"Mercury", false, "Close to the Sun, but without clouds to keep the heat."},
               {"Venus", true, {}},
               {"Mars", false, "No: Mars is a cold desert."}}},
             {"What is true about the Earth?",
              {{"It has liquid water on its surface.", true, {}},
               {"Its air protects us from the cold of space.", true, {}},
               {"It has bright rings of ice.", false, "No: that is Saturn."}},
              true},
             {"How long does sunlight take to reach the Earth?",
              {{"About eight minutes", true, {}},
               {"About one day", false, "Much faster: light is very quick."},
               {"About one second", false, "That is the time from the Moon."}}}}};
}

WrittenTest written() {
    return {"written.htm",
            "Test yourself: our solar system",
            "Answer in a word or a short sentence. You have five minutes.",
            {"Which planet is the largest?", "Which planet rolls around the Sun on its side?",
             "How long does sunlight take to reach the Earth?"},
            {"Why is Venus hotter than Mercury?"}};
}

WrittenTest notebook() {
    return {"notebook.htm",
            "My notebook",
            "Take your time. Press Check to save this page with your answers.",
            {"My favourite planet:"},
            {"Why I like it:", "If I could visit one place in the solar system, I would go to:"}};
}

SortingTask sorting() {
    return {"sorting.txt",
            {"Jupiter", "Mercury", "Saturn", "Venus", "Uranus", "Earth", "Neptune", "Mars"},
            {"Mercury", "Venus", "Earth", "Mars"},
            {"Jupiter", "Saturn", "Uranus", "Neptune"}};
}

void attach(Node& node, const Reading& reading, bool withSound) {
    node.text = reading.base + ".htm";
    if (reading.translated) {
        node.trans = reading.base + "_fr.htm";
    }
    if (reading.narrated) {
        node.marks = reading.base + ".txt";
    }
    if (withSound) {
        node.sound = reading.base + ".wav";
    }
}

}  // namespace

Course demoCourse() {
    Course course;
    course.title = "A walk through the solar system";
    course.subtitle = "A narrated course in English, with French translations";
    course.readings = {sun(), mercury(), earth(), giants(), iceGiants(), mars()};
    course.choiceTests = {quiz()};
    course.writtenTests = {written(), notebook()};
    course.sortingTasks = {sorting()};

    QList<Node>& n = course.nodes;
    n << chapter("The Sun and the rocky planets", "rocky.htm",
                 {Body::Sun, Body::Mercury, Body::Venus, Body::Earth, Body::Mars},
                 {"Our walk starts at the Sun and visits the four small, rocky planets "
                  "closest to it: Mercury, Venus, the Earth and Mars.",
                  "Open the chapter and choose a lesson. Each lesson shows what to do on "
                  "its own page."});
    n << lesson(Kind::NarratedReading, "The Sun - listen and read", "The Sun - narrated reading",
                "sun.htm", {Body::Sun},
                {"Listen to a short text about our star while you read it."});
    attach(n.last(), course.readings[0], true);
    n << lesson(Kind::UnitWork, "Mercury and Venus - with translation", "Mercury and Venus",
                "mercury.htm", {Body::Mercury, Body::Venus},
                {"The two planets inside the Earth's orbit, in English and in French."});
    attach(n.last(), course.readings[1], true);
    n << lesson(Kind::Recording, "The Earth - read aloud", "The Earth - read aloud", "earth3.htm",
                {Body::Earth}, {"Now it is your turn to be the narrator."});
    attach(n.last(), course.readings[2], false);
    n << lesson(Kind::PlayAlongRecording, "The Earth - read along", "The Earth - read along",
                "earth11.htm", {Body::Earth}, {"Read the text together with the narrator."});
    attach(n.last(), course.readings[2], true);
    n << lesson(Kind::RecordingReplay, "The Earth - listen to yourself",
                "The Earth - your recording", "earth4.htm", {Body::Earth}, {"How did you sound?"});
    attach(n.last(), course.readings[2], false);
    n.last().marks.clear();
    n << lesson(Kind::ChoiceTest, "Quiz: the Sun and the rocky planets", "Quiz", "quiz.htm",
                {Body::Mercury, Body::Venus, Body::Earth},
                {"Four questions about the first part of our walk."});
    n.last().text = "quiz.htm";
    n.last().time = 120;

    n << chapter("The giant planets", "giants.htm",
                 {Body::Jupiter, Body::Saturn, Body::Uranus, Body::Neptune},
                 {"Far from the Sun, beyond Mars and the belt of asteroids, travel four "
                  "giant planets made mostly of gas and ice."});
    n << lesson(Kind::UnitWork, "Jupiter and Saturn - with translation", "Jupiter and Saturn",
                "jupiter.htm", {Body::Jupiter, Body::Saturn},
                {"The two largest planets, in English and in French."});
    attach(n.last(), course.readings[3], true);
    n << lesson(Kind::NarratedReading, "Uranus and Neptune - listen and read", "Uranus and Neptune",
                "uranus.htm", {Body::Uranus, Body::Neptune},
                {"The cold, blue worlds at the edge of the planets' realm."});
    attach(n.last(), course.readings[4], true);

    n << chapter("Review", "review.htm", {Body::Mars, Body::Jupiter, Body::Earth},
                 {"Time to show what you have learnt: talk, sort, write."});
    n << lesson(Kind::TimedRecording, "Mars - a timed talk", "Mars - twenty seconds", "mars.htm",
                {Body::Mars}, {"The red planet, in your own words."});
    attach(n.last(), course.readings[5], false);
    n.last().time = 20;
    n << lesson(Kind::Sorting, "Rocky or giant? - sorting", "Rocky or giant?", "sorting.htm",
                {Body::Earth, Body::Saturn}, {"Put the eight planets into two families."});
    n.last().text = course.sortingTasks[0].file;
    n.last().time = 60;
    n << lesson(Kind::WrittenTest, "Test yourself - written answers", "Test yourself",
                "written.htm", {Body::Jupiter}, {"Four questions to answer in your own words."});
    n.last().text = course.writtenTests[0].page;
    n.last().time = 300;
    n << lesson(Kind::SavedWrittenTest, "My notebook - save your answers", "My notebook",
                "notebook.htm", {Body::Neptune}, {"A page of your own about the solar system."});
    n.last().text = course.writtenTests[1].page;
    n.last().time = 0;

    course.introduction = {
        "intro.htm",
        "Welcome!",
        {Body::Sun, Body::Earth, Body::Saturn},
        {"This short course takes you on a walk through the solar system, from the Sun "
         "to Neptune. On the way you listen, read, speak, sort and write.",
         "The lessons are listed on the left of the main window. Click a lesson to read "
         "what it is about, then press <b>Run lesson</b> or double-click it.",
         "The lessons of the first chapter that use your voice need a microphone."},
        QString()};
    course.about = {"about.htm",
                    "About this course",
                    {Body::Jupiter},
                    {"<i>A walk through the solar system</i> is the demo course of Lectern, "
                     "the player for narrated courses.",
                     "The narration is spoken by the eSpeak NG speech synthesiser; the pictures "
                     "are drawn when the course is built. The course may be copied and "
                     "changed freely."},
                    QString()};
    return course;
}

}  // namespace lectern::demo
