#pragma once

#include "exercises/markup/PageMarkup.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/TMediaPlayer.h"
#include "support/FireTimer.h"
#include "support/TempDir.h"
#include "support/WavFiles.h"

#include <sndfile.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace lectern::test {

// The basic course with two more lessons at the end of its tree: a unit
// work lesson (type "2", five passages ending at 1000 .. 5000 ms, the left
// page's passage 2 and the translation's passages 1 and 3 commentary) and a
// replay of the learner's recording (type "4") on the same pages.
struct UnitWorkFixture : MainWindowFixture {
    int UnitNode = 0;
    int ReplayNode = 0;
    static constexpr int Tick = exercises::TWorkTxtFrm::TickInterval;

    UnitWorkFixture() : MainWindowFixture("basic") {
        QFile types(folder.path() + "/main.mtp");
        types.open(QIODevice::ReadOnly);
        UnitNode = static_cast<int>(types.readAll().count('\n'));
        ReplayNode = UnitNode + 1;
        addNode("\tUnits", "2", "Units", "unit.wav", "unit.txt");
        addNode("\tReplay", "4", "Replay", "", "");
        QDir().mkpath(folder.path() + "/data/sound");
        writeTone(folder.path() + "/data/sound/unit.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050,
                  1, 6000);
        folder.writeLines("data/umarks.txt", {});
        // The unit button's pictures of the later steps.
        for (const char* name : {"c2", "c1a", "c3", "c3a"})
            QFile::copy(folder.path() + "/gdata/c1.jpg", folder.path() + "/gdata/" + name + ".jpg");
    }

    // Starts the course, selects the node, runs it and lets both pages load.
    exercises::TWorkTxtFrm& launch(int node = -1) {
        if (node < 0)
            node = UnitNode;
        mainwindow::TMainFrm& main = windows ? *windows->MainFrm : start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(node));
        main.m22Click();
        loadPages();
        return work();
    }
    static void loadPages() { QCoreApplication::processEvents(); }

    exercises::TWorkTxtFrm& work() { return *windows->WorkTxtFrm; }

    // Moves the sound on and runs one tick, as the timer would.
    void tick(int ms = Tick) {
        test.audio.advance(ms);
        work().Timer1Timer();
    }
    // Picks passage k with the track bar.
    void pick(int k) { work().TrackBar1->setValue(k - 1); }
    // V: a take of the current passage, kept in a folder of the test's own,
    // recorded for `ms` while its timer polls as it would.
    void recordTake(int ms) {
        exercises::RecordAndCompare& takes = *work().Practice->Takes;
        takes.store() = exercises::TakeStore(takesData.path() + "/takes");
        takes.record();
        for (int at = 0; at < ms; at += exercises::RecordAndCompare::PollMs) {
            test.audio.advance(exercises::RecordAndCompare::PollMs);
            fireTimer(*takes.recordTimer());
        }
    }
    TempDir takesData;

    static QString classesOf(const platform::Variant& document) {
        QStringList classes;
        for (int k = 1; k <= 5; ++k)
            classes.append(exercises::FindElement(document, QStringLiteral("t%1").arg(k))
                               .get("className")
                               .toString());
        return classes.join(' ');
    }
    QString left() { return classesOf(work().CppWebBrowser1->Document()); }
    QString right() { return classesOf(work().CppWebBrowser2->Document()); }
    // Both pages, "left | right".
    QString pages() { return left() + " | " + right(); }

  private:
    void append(const QString& file, const QString& line) {
        QFile f(folder.path() + "/" + file);
        f.open(QIODevice::Append);
        f.write(line.toUtf8() + "\r\n");
    }
    void addNode(const QString& treeLine, const QString& type, const QString& caption,
                 const QString& sound, const QString& marks) {
        append("main.mrb", treeLine);
        append("main.mtp", type);
        append("name.mtp", caption);
        append("descr.mtp", "reading.htm");
        append("zagol.mtp", caption);
        append("text.mtp", "unit.htm");
        append("trans.mtp", "unit_tr.htm");
        append("zmarks.mtp", marks);
        append("sound.mtp", sound);
        append("time.mtp", "0");
    }
};

}  // namespace lectern::test
