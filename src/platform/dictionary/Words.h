#pragma once

#include "platform/browser/PageWord.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace lectern::platform {

class CourseFiles;
class Dictionaries;
class Stemmer;
class WordChooser;
class WordList;
class WordLookup;
class WordPopup;

// Looking up the words of a course's pages: one popup for every window, the
// dictionaries opened at the first lookup, and the course's word list kept
// in the learner's data folder (never in the course).
class Words : public QObject {
    Q_OBJECT
  public:
    struct Folders {
        QStringList dictionaries;
        QStringList stems;
        // The learner's data folder: the word lists go below it.
        QString data;
    };
    // The dictd and hunspell folders of the system and the learner.
    static Folders standardFolders();

    Words(CourseFiles& files, Folders folders = standardFolders());
    ~Words() override;

    // True while looking up must wait (a recording runs).
    std::function<bool()> held;

    // Looks `word` up and shows it in the popup, and keeps it in the
    // course's word list.
    void lookUp(const PageWord& word);
    // Shows the words of a passage to choose one from with the keyboard.
    void chooseFrom(const QString& passage, const QString& language, QWidget* over);

    // A lesson page in `languageTag` (or, when it names none, in the
    // course's chosen language) is shown: its stemmer loads in the
    // background, so that the first word of it needs no wait.
    void prepareFor(const QString& languageTag);

    WordPopup& popup() const { return *popup_; }
    Stemmer& stemmer() const { return *stemmer_; }
    WordChooser& chooser() const { return *chooser_; }
    bool isOpen() const;
    // The current course's list (read from its file at the first use).
    const WordList& list();
    // Writes the list as TSV into the data folder; gives its path, or
    // throws Error saying why it could not.
    QString exportList();

  signals:
    // The popup opened or closed: the narration waits meanwhile.
    void opened();
    void closed();

  private:
    void show(const PageWord& word, QLocale::Language language);
    QLocale::Language languageFor(const PageWord& word) const;
    // The language a tag names, else the one chosen for this course;
    // AnyLanguage when neither says.
    QLocale::Language taggedOrChosen(const QString& tag) const;
    QString courseKey() const;
    void ensureDictionaries();

    CourseFiles& files_;
    Folders folders_;
    std::unique_ptr<Dictionaries> dictionaries_;
    std::unique_ptr<Stemmer> stemmer_;
    std::unique_ptr<WordLookup> lookup_;
    std::unique_ptr<WordList> list_;
    QString listCourse_;
    std::unique_ptr<WordPopup> popup_;
    std::unique_ptr<WordChooser> chooser_;
    PageWord shown_;
};

}  // namespace lectern::platform
