#pragma once

#include "exercises/markup/PageMarkup.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/media/TMediaPlayer.h"
#include "support/FireTimer.h"
#include "support/WavFiles.h"

#include <sndfile.h>
#include <QCoreApplication>
#include <QDir>

namespace lectern::test {

// The basic course started headless, with its narrated reading lesson
// (node 1: three passages ending at 1000, 2000 and 3000 ms) ready to launch.
struct ReadingLessonFixture : MainWindowFixture {
    static constexpr int ReadingNode = 1;

    ReadingLessonFixture() : MainWindowFixture("basic") {
        QDir().mkpath(folder.path() + "/data/sound");
        writeTone(folder.path() + "/data/sound/reading.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                  22050, 1, 3500);
    }

    // Starts the course, selects the reading lesson, runs it and lets its
    // page load.
    exercises::TViewTxtFrm& launch() {
        mainwindow::TMainFrm& main = start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(ReadingNode));
        main.m22Click();
        loadPages();
        return *windows->ViewTxtFrm;
    }
    // Launches the lesson, presses Play and runs `ticks` ticks.
    exercises::TViewTxtFrm& launchAndPlay(int ticks) {
        exercises::TViewTxtFrm& window = launch();
        window.m11Click();
        for (int i = 0; i < ticks; ++i)
            tick();
        return window;
    }
    static void loadPages() { QCoreApplication::processEvents(); }

    exercises::TViewTxtFrm& reading() { return *windows->ViewTxtFrm; }

    // Moves the sound on and runs one tick, as the timer would.
    void tick(int ms = exercises::TViewTxtFrm::TickInterval) {
        test.audio.advance(ms);
        fireTimer(*reading().Timer1);
    }

    QString classOf(int k) {
        return exercises::FindElement(reading().PageDocument, QStringLiteral("t%1").arg(k))
            .get("className")
            .toString();
    }
    // The classes of passages 1 to 3, e.g. "instext comm text".
    QString classes() { return QStringList{classOf(1), classOf(2), classOf(3)}.join(' '); }
};

}  // namespace lectern::test
