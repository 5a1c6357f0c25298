#pragma once

#include "exercises/reading/ReadingLessonFixture.h"

#include <QFile>

namespace lectern::test {

// The basic course's reading lesson (node 1) run as a recording lesson of a
// given type, with a blank recording of no frames (16-bit, 22050 Hz, mono).
struct RecordingLessonFixture : ReadingLessonFixture {
    static constexpr int BlankFormat = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

    explicit RecordingLessonFixture(const char* type, const char* time = "0") {
        folder.writeLines("main.mtp", {"0", type, "5", "0", "9"});
        folder.writeLines("time.mtp", {"0", time, "60", "0", "30"});
        writeTone(folder.path() + "/data/empty.wav", BlankFormat, 22050, 1, 0);
    }

    mainwindow::TMainFrm& main() { return *windows->MainFrm; }
    // Runs the selected lesson again, as "Run lesson" does.
    exercises::TViewTxtFrm& relaunch() {
        main().m22Click();
        loadPages();
        return reading();
    }

    // Moves the sound on by `ms` in steps of 50 ms, running each timer when
    // its interval has passed; the 100 ms timer runs first when both are due.
    void run(int ms) {
        for (int i = 0; i < ms / 50; ++i) {
            test.audio.advance(50);
            elapsed += 50;
            if (elapsed % 100 == 0 && reading().Timer2->isActive())
                fireTimer(*reading().Timer2);
            if (elapsed % 250 == 0 && reading().Timer1->isActive())
                fireTimer(*reading().Timer1);
        }
    }

    // Presses Record, lets `ms` pass as run() does, and presses Stop.
    void recordFor(int ms) {
        reading().m11Click();
        run(ms);
        reading().m33Click();
    }

    QString tempWav() const { return test.files.resolve(windows->MainFrm->TempWavName()); }
    QString userMarks() const {
        QFile file(folder.path() + "/data/umarks.txt");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    int elapsed = 0;
};

}  // namespace lectern::test
