#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace lectern::platform {
class Sound;
}

namespace lectern::exercises {

// Where the learner's takes are kept: one WAV file per passage, the latest
// take, under the user's data folder as
// takes/<course>/<lesson>/passage-<k>.wav, where <course> hashes the course
// folder's path and <lesson> the lesson's sound. Never inside the course.
class TakeStore {
  public:
    // `root` is the folder the takes go below (the user's data folder
    // + "/takes" in the program).
    explicit TakeStore(QString root);

    static QString defaultRoot();

    // Takes from now on belong to the lesson of the course in `courseFolder`
    // whose model sound is `lessonSound`.
    void setLesson(const QString& courseFolder, const QString& lessonSound);
    QString pathOf(int passage) const;

    // Writes the take whole or not at all, replacing the last one; raises
    // platform::Error with the reason, also when the folder would lie
    // inside the course.
    void save(int passage, const std::vector<float>& mono, int rate) const;
    // The passage's take, or null when there is none or it cannot be read.
    std::shared_ptr<const platform::Sound> load(int passage) const;

    const QString& root() const { return root_; }

  private:
    QString root_;
    QString courseFolder_;
    QString lessonFolder_;
};

}  // namespace lectern::exercises
