#include "platform/dictionary/Words.h"

#include "platform/Error.h"
#include "platform/desktop/UserSettings.h"
#include "platform/dictionary/Dictionaries.h"
#include "platform/dictionary/Stemmer.h"
#include "platform/dictionary/WordChooser.h"
#include "platform/dictionary/WordList.h"
#include "platform/dictionary/WordLookup.h"
#include "platform/dictionary/WordPopup.h"
#include "platform/files/CourseFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace lectern::platform {

Words::Folders Words::standardFolders() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return {{QStringLiteral("/usr/share/dictd"), data + QStringLiteral("/dictionaries")},
            {QStringLiteral("/usr/share/hunspell"), data + QStringLiteral("/hunspell")},
            data};
}

Words::Words(CourseFiles& files, Folders folders)
    : files_(files),
      folders_(std::move(folders)),
      stemmer_(std::make_unique<Stemmer>(folders_.stems)),
      popup_(std::make_unique<WordPopup>()),
      chooser_(std::make_unique<WordChooser>()) {
    connect(popup_.get(), &WordPopup::opened, this, &Words::opened);
    connect(popup_.get(), &WordPopup::closed, this, &Words::closed);
    connect(popup_.get(), &WordPopup::languageChosen, this, [this](QLocale::Language language) {
        userSettings().setValue(QStringLiteral("wordLanguage/") + courseKey(), int(language));
        show(shown_, language);
    });
    connect(chooser_.get(), &WordChooser::chosen, this, &Words::lookUp);
}

Words::~Words() = default;

QString Words::courseKey() const {
    return QString::fromLatin1(
        QCryptographicHash::hash(files_.courseFolder().toUtf8(), QCryptographicHash::Sha1).toHex());
}

void Words::ensureDictionaries() {
    if (dictionaries_)
        return;
    dictionaries_ = std::make_unique<Dictionaries>(folders_.dictionaries);
    lookup_ = std::make_unique<WordLookup>(*dictionaries_, *stemmer_);
}

bool Words::isOpen() const {
    return popup_->isVisible();
}

QLocale::Language Words::taggedOrChosen(const QString& tag) const {
    if (!tag.isEmpty()) {
        const QLocale::Language tagged = QLocale(tag).language();
        if (tagged != QLocale::C && tagged != QLocale::AnyLanguage)
            return tagged;
    }
    const QVariant chosen = userSettings().value(QStringLiteral("wordLanguage/") + courseKey());
    return chosen.isValid() ? QLocale::Language(chosen.toInt()) : QLocale::AnyLanguage;
}

QLocale::Language Words::languageFor(const PageWord& word) const {
    const QLocale::Language language = taggedOrChosen(word.language);
    if (language != QLocale::AnyLanguage)
        return language;
    // With dictionaries from one language only, that is the likely one.
    const QList<QLocale::Language> sources = dictionaries_->sources();
    return sources.size() == 1 ? sources.front() : QLocale::AnyLanguage;
}

void Words::prepareFor(const QString& languageTag) {
    const QLocale::Language language = taggedOrChosen(languageTag);
    if (language == QLocale::AnyLanguage)
        return;
    stemmer_->preload(language);
    // The indexes are only mapped and the popup's window made, hidden: a
    // millisecond or two now spares the first word's popup.
    ensureDictionaries();
    popup_->winId();
}

const WordList& Words::list() {
    const QString course = files_.courseFolder();
    if (!list_ || listCourse_ != course) {
        list_ = std::make_unique<WordList>(folders_.data + QStringLiteral("/words/") + courseKey() +
                                           QStringLiteral(".tsv"));
        listCourse_ = course;
    }
    return *list_;
}

void Words::lookUp(const PageWord& word) {
    if ((held && held()) || word.word.isEmpty())
        return;
    ensureDictionaries();
    show(word, languageFor(word));
}

void Words::show(const PageWord& word, QLocale::Language language) {
    shown_ = word;
    const WordEntries entries = lookup_->lookUp(word.word, language);
    list();
    QString failure;
    if (entries.missing.isEmpty())
        list_->add({word.word, entries.stem, entries.firstEntry(), word.sentence}, failure);
    QStringList notes = dictionaries_->problems();
    if (!failure.isEmpty())
        notes.append(QStringLiteral("The word list could not be kept: ") + failure);
    popup_->showEntries(entries, dictionaries_->sources(), language, word.rect,
                        notes.join(QLatin1Char('\n')));
}

void Words::chooseFrom(const QString& passage, const QString& language, QWidget* over) {
    if (held && held())
        return;
    chooser_->choose(passage, language, over);
}

QString Words::exportList() {
    const QString name = QDir(files_.courseFolder()).dirName();
    const QString path = folders_.data + QStringLiteral("/word lists/") +
                         (name.isEmpty() ? QStringLiteral("course") : name) + QLatin1Char('-') +
                         courseKey().left(8) + QStringLiteral(".tsv");
    QString failure;
    if (!list().writeTo(path, failure))
        throw Error(QStringLiteral("The word list could not be exported: ") + failure);
    return path;
}

}  // namespace lectern::platform
