#include "SkinCourse.h"

#include "support/JpegSamples.h"
#include "support/PageFiles.h"

#include <QDir>

namespace lectern::test {

const QStringList SkinCourse::pictureNames{"top2", "bot2", "bot3", "top", "bot", "left", "right",
                                           "m1",   "m2",   "m3",   "m4",  "m5",  "m6",   "m7",
                                           "m8",   "m9",   "m10",  "m11", "c1",  "c2a"};

SkinCourse::SkinCourse() {
    int index = 0;
    for (const QString& name : pictureNames) {
        const QSize size(20 + index, 10 + 2 * index);
        sizes_[name] = size;
        dir_.write("gdata/" + name + ".jpg",
                   solidJpeg(size.width(), size.height(), QColor::fromHsv(index * 17, 200, 200)));
        ++index;
    }
    dir_.write("data/descr/splash.jpg", solidJpeg(64, 48, Qt::darkBlue));
    dir_.write("data/descr/d0.htm", htmlPage("Lesson"));

    // Window 806 x 600, bars 80 and 90 high, edges 30 and 40 wide; every
    // button block distinct.
    for (int n = 0; n < 60; ++n)
        layout_ << QString::number(n + 1);
    const std::pair<int, int> fixed[] = {{0, 800}, {1, 600}, {3, 800}, {4, 80},   {6, 800},
                                         {7, 90},  {8, 30},  {9, 40},  {50, 320}, {51, 240}};
    for (auto [n, value] : fixed)
        layout_[n] = QString::number(value);
    for (int first : {10, 14, 18, 22, 26, 30, 34, 38, 42, 46, 52, 56}) {
        layout_[first] = QString::number(50 + first);      // width
        layout_[first + 1] = QString::number(40 + first);  // height
        layout_[first + 2] = QString::number(first % 7);   // top
        layout_[first + 3] = QString::number(first * 10);  // left
    }
    writeLayout();

    settings_ = QStringList{"Course", "splash.jpg", "False",  "Introduction", "d0.htm",
                            "False",  "About",      "d0.htm", "True"};
    writeSettings();
    for (const char* file : {"main.mtp", "sound.mtp", "name.mtp", "text.mtp", "trans.mtp",
                             "time.mtp", "zagol.mtp", "zmarks.mtp"})
        dir_.write(file, "1\r\n");
    dir_.write("descr.mtp", "d0.htm\r\n");
    dir_.write("main.mrb", "Lesson\r\n");
    dir_.write("main.rbp", "\r\n");
}

void SkinCourse::setLine(int n, const QString& value) {
    layout_[n] = value;
    writeLayout();
}

void SkinCourse::setWindowSetting(int n, const QString& value) {
    settings_[n] = value;
    writeSettings();
}

void SkinCourse::writeLayout() const {
    dir_.write("main.dsg", layout_.join("\r\n").toLatin1());
}

void SkinCourse::writeSettings() const {
    dir_.write("wind.mtp", settings_.join("\r\n").toUtf8());
}

CurrentFolder::CurrentFolder(const QString& folder) : previous_(QDir::currentPath()) {
    QDir::setCurrent(folder);
}

CurrentFolder::~CurrentFolder() {
    QDir::setCurrent(previous_);
}

}  // namespace lectern::test
