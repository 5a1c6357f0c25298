#include "check/WindowsCourse.h"

#include "platform/media/Sound.h"
#include "support/CourseFolder.h"
#include "support/PageFiles.h"

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <vector>

#include <stdio.h>

namespace lectern::test {
namespace {

void rename(const CourseFolder& course, const QString& from, const QString& to) {
    if (!QDir(course.path()).rename(from, to))
        throw std::runtime_error("cannot rename " + from.toStdString());
}

}  // namespace

void makeWindowsStyle(const CourseFolder& course) {
    // Catalogue files in Windows-1251 with CR LF, LF and CR mixed; two of
    // them named in capitals, as old Windows tools wrote them.
    course.remove("main.mrb");
    course.write("MAIN.MRB", cp1251(QString::fromUtf8("Начало\r\n\tПервое чтение\n\tТест\r"
                                                      "Вторая глава\r\n\tСортировка\r\n")));
    course.remove("zagol.mtp");
    course.write("Zagol.MTP", cp1251(QString::fromUtf8("Глава первая\r\nЧтение: Ёлка\nТест\r\n"
                                                       "Глава вторая\rСортировка\r\n")));
    course.write("wind.mtp",
                 cp1251(QString::fromUtf8("Курс русского языка\r\nsplash.jpg\r\n0\nВведение\r\n"
                                          "Intro.HTM\r\n0\r\nО курсе\r\nabout.htm\r\n1\r\n")));
    course.write("descr.mtp", "CHAPTER1.htm\r\nReading.htm\ntest.htm\r\nchapter2.HTM\r" +
                                  cp1251(QString::fromUtf8("Сортировка.htm")) + "\r\n");
    course.write("text.mtp", "\r\nLessons\\READING.htm\r\ntest.htm\r\n\r\nsort.txt\r\n");
    course.write("zmarks.mtp", "\r\nReading.TXT\r\n\r\n\r\n\r\n");
    course.write("sound.mtp", "\r\nREADING.wav\r\n\r\n\r\n\r\n");

    // The page moves to a sub-folder and speaks Russian in Windows-1251.
    course.remove("data/text/reading.htm");
    course.write("data/text/lessons/reading.htm",
                 cp1251(QString::fromUtf8(
                     "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                     "charset=windows-1251\"><title>Чтение</title></head><body><p>"
                     "<a id=\"a1\"></a><span id=\"t1\" class=\"text\">Один.</span> "
                     "<a id=\"a2\"></a><span id=\"t2\" class=\"comm\">Два.</span> "
                     "<a id=\"a3\"></a><span id=\"t3\" class=\"text\">Три.</span>"
                     "</p></body></html>\r\n")));
    course.write("data/marks/reading.txt", "1000\r2000\r3000");
    // Three seconds of quiet narration.
    const std::vector<float> samples(3 * 8000, 0.0f);
    QDir().mkpath(course.path() + "/data/sound");
    platform::Sound::write(course.path() + "/data/sound/reading.wav", "reading.wav", {0, 8000, 1},
                           samples.data(), static_cast<long long>(samples.size()));
    platform::Sound::write(course.path() + "/data/empty.wav", "empty.wav", {0, 8000, 1},
                           samples.data(), 0);

    // Folders and files in another letter case than the entries name them.
    rename(course, "data/descr/intro.htm", "data/descr/INTRO.htm");
    rename(course, "data/descr/chapter1.htm", "data/descr/Chapter1.htm");
    rename(course, "data/text/lessons", "data/text/Lessons");
    rename(course, "data/text", "data/Text");
    rename(course, "data/sound/reading.wav", "data/sound/Reading.WAV");
    rename(course, "data/marks", "data/MARKS");
    // A name kept in Windows-1251 bytes, as zip files made on Windows hold it.
    course.write("data/descr/sort.htm", htmlPage("<p id=\"sorting\">sort</p>"));
    const QByteArray descr = QFile::encodeName(course.path() + "/data/descr/");
    if (::rename((descr + "sort.htm").constData(),
                 (descr + cp1251(QString::fromUtf8("Сортировка.htm"))).constData()) != 0)
        throw std::runtime_error("cannot rename sort.htm");
    rename(course, "data", "Data");
    rename(course, "help", "HELP");
}

}  // namespace lectern::test
