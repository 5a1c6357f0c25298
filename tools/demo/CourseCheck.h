#pragma once

#include <QString>
#include <QStringList>

namespace lectern::demo {

// Reads a written course folder back the way the player will, and lists
// what would go wrong: a missing or short catalogue file, a file a lesson
// names that is not there, marks that do not match their page or sound, a
// skin picture of the wrong size, a sorting file that cannot be sorted
// without an error. An empty list means the course is sound.
class CourseCheck {
  public:
    explicit CourseCheck(QString root);

    QStringList problems() const;

    // The lines of a catalogue file; a line ends at CR LF, LF or CR.
    static QStringList splitLines(const QByteArray& bytes);
    // The errors the sorting window counts when the learner has moved every
    // expected item out of the left-hand list into its place.
    static int sortingErrorsWhenSortedRight(const QStringList& fileLines);

  private:
    QStringList readLines(const QString& entry, QStringList& problems) const;
    QString local(const QString& entry) const;
    bool exists(const QString& entry) const;
    void checkGeometry(const QStringList& design, QStringList& problems) const;
    void checkSkin(const QStringList& design, QStringList& problems) const;
    void checkNode(int index, const QList<QStringList>& lists, QStringList& problems) const;
    void checkMarks(const QString& marksEntry, const QStringList& pages, const QString& sound,
                    QStringList& problems) const;

    QString root_;
};

}  // namespace lectern::demo
