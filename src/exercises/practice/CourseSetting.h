#pragma once

#include <QString>
#include <QVariant>

namespace lectern::exercises {

// One of the learner's choices remembered for a course, in the user's
// settings (never in the course folder). The course folder's path is hashed
// into the key: settings keys are not free text.
class CourseSetting {
  public:
    explicit CourseSetting(QString name) : name_(std::move(name)) {}

    // From now on the choice is the one of the course in `courseFolder`.
    void load(const QString& courseFolder);
    // `fallback` before load() and while nothing was remembered.
    QVariant value(const QVariant& fallback) const;
    void store(const QVariant& value) const;
    // Empty before load(); equal for the same choice of the same course.
    const QString& key() const { return key_; }

  private:
    QString name_;
    QString key_;
};

}  // namespace lectern::exercises
