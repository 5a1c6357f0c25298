#include "demo/Narrator.h"

#include "demo/ToolProcess.h"

#include <stdexcept>

namespace lectern::demo {

namespace {

const QString kVoice = "en-gb";
const QString kSpeed = "145";
// Silence after each passage: the player moves the highlight on half a
// second before a mark, so the move falls into this pause.
constexpr qint64 kPauseSamples = Narrator::kRate * 650 / 1000;
constexpr qint64 kStepSamples = Narrator::kRate / 10;

const QStringList kFormat = {"-r", QString::number(Narrator::kRate), "-c", "1", "-b", "16"};

// sox in repeatable mode: its dither then comes from a fixed seed, so the
// course comes out the same on every build.
void sox(const QStringList& arguments) {
    runTool("sox", QStringList{"-R"} << arguments);
}

void speak(const QString& text, const QString& wavPath) {
    runTool("espeak-ng", {"-v", kVoice, "-s", kSpeed, "-w", wavPath, text});
    const int rate = runTool("soxi", {"-r", wavPath}).trimmed().toInt();
    if (rate != Narrator::kRate) {
        throw std::runtime_error("espeak-ng spoke at an unexpected rate: " + std::to_string(rate));
    }
}

}  // namespace

Narrator::Narrator(QString scratch) : scratch_(std::move(scratch)) {}

QString Narrator::scratchFile(const QString& name) {
    return QString("%1/%2-%3.wav").arg(scratch_).arg(++counter_).arg(name);
}

qint64 Narrator::samples(const QString& wavPath) {
    bool ok = false;
    const qint64 count = runTool("soxi", {"-s", wavPath}).trimmed().toLongLong(&ok);
    if (!ok) {
        throw std::runtime_error("cannot read the length of " + wavPath.toStdString());
    }
    return count;
}

QList<int> Narrator::narrate(const QStringList& passages, const QString& wavPath) {
    QStringList pieces;
    QList<int> marks;
    qint64 total = 0;
    for (const QString& text : passages) {
        const QString spoken = scratchFile("spoken");
        speak(text, spoken);
        const qint64 length = samples(spoken);
        const qint64 padded =
            (length + kPauseSamples + kStepSamples - 1) / kStepSamples * kStepSamples;
        const QString piece = scratchFile("piece");
        sox({spoken, piece, "pad", "0", QString("%1s").arg(padded - length)});
        pieces << piece;
        total += padded;
        marks << int(total * 1000 / kRate);
    }
    sox(QStringList(pieces) << kFormat << wavPath);
    if (samples(wavPath) != total) {
        throw std::runtime_error("joined narration has the wrong length: " + wavPath.toStdString());
    }
    return marks;
}

void Narrator::intro(const QString& welcome, const QString& wavPath) {
    const double notes[] = {523.25, 659.25, 783.99, 1046.50};
    QStringList parts;
    for (int i = 0; i < 4; ++i) {
        const QString note = scratchFile("note");
        sox(QStringList{"-n"} << kFormat << note
                              << QStringList{"synth", "2.4", "sine", QString::number(notes[i]),
                                             "fade", "q", "0.005", "2.4", "2.1", "vol", "0.45",
                                             "pad", QString::number(i * 0.16), "0"});
        parts << note;
    }
    const QString spoken = scratchFile("welcome");
    speak(welcome, spoken);
    const QString delayed = scratchFile("welcome-delayed");
    sox({spoken, delayed, "pad", "1.0", "0.4"});
    parts << delayed;
    sox(QStringList{"-m"} << parts << kFormat << wavPath << "norm"
                          << "-1");
}

void Narrator::blank(const QString& wavPath) {
    sox(QStringList{"-n"} << kFormat << "-t"
                          << "wav" << wavPath << "trim"
                          << "0"
                          << "0");
}

}  // namespace lectern::demo
