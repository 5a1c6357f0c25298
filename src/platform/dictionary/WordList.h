#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace lectern::platform {

// The words a learner looked up in one course: the word, its stem, the first
// entry found and the sentence it stood in. Kept as UTF-8 TSV, one word a
// line, and replaced atomically at each change, so a crash or a full disk
// never leaves half a list.
class WordList {
  public:
    struct Word {
        QString word;
        QString stem;
        QString entry;
        QString sentence;
    };
    static constexpr qsizetype maxWords = 20000;

    // Reads the list kept at `path`, if any.
    explicit WordList(QString path);

    const QString& path() const { return path_; }
    const std::vector<Word>& words() const { return words_; }

    // Adds a word (one looked up again moves to the end with its new
    // sentence) and writes the list; false with `failure` set when it could
    // not be written (the word is kept in memory all the same).
    bool add(Word word, QString& failure);
    // The list as TSV: word, stem, entry, sentence, without tabs or line
    // breaks in the fields.
    QByteArray tsv() const;
    // Writes tsv() to `path` atomically.
    bool writeTo(const QString& path, QString& failure) const;

  private:
    QString path_;
    std::vector<Word> words_;
};

}  // namespace lectern::platform
