#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace lectern::demo {

// Makes the course's sounds with espeak-ng and sox, all in the format the
// player records in: 22050 Hz, mono, 16-bit PCM.
class Narrator {
  public:
    static constexpr int kRate = 22050;

    // scratch: a folder for the pieces, left to the caller to remove.
    explicit Narrator(QString scratch);

    // Speaks each passage and joins the pieces into one sound. Every piece
    // ends in a pause and is a whole number of tenths of a second long, so
    // its end is an exact millisecond: the marks, one per passage.
    QList<int> narrate(const QStringList& passages, const QString& wavPath);
    // A rising chime under a spoken welcome, for the splash.
    void intro(const QString& welcome, const QString& wavPath);
    // A valid sound without frames: the blank recording.
    static void blank(const QString& wavPath);

    static qint64 samples(const QString& wavPath);

  private:
    QString scratchFile(const QString& name);

    QString scratch_;
    int counter_ = 0;
};

}  // namespace lectern::demo
