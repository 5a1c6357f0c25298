#pragma once

#include "platform/dictionary/DictIndex.h"
#include "platform/dictionary/DictzipReader.h"
#include "platform/dictionary/MappedFile.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>

namespace lectern::platform {

// One installed dictd dictionary: "NAME.index" with "NAME.dict.dz" or
// "NAME.dict" beside it, its languages taken from the end of its name
// ("freedict-eng-fra": from English to French). Both files stay mapped;
// a lookup reads only the index lines and the chunks it needs.
class Dictionary {
  public:
    static constexpr qint64 indexLimit = 64LL << 20;
    static constexpr qint64 textLimit = 512LL << 20;

    // Opens the dictionary whose index is `indexPath`; failure() says why
    // it cannot be used.
    explicit Dictionary(const QString& indexPath);

    const QString& name() const { return name_; }
    QLocale::Language source() const { return source_; }
    QLocale::Language target() const { return target_; }
    const QString& failure() const { return failure_; }

    // The entries of `word`, as the dictionary writes them.
    QStringList entries(const QString& word) const;

    // The languages a dictionary's name states, AnyLanguage when it states none.
    static std::pair<QLocale::Language, QLocale::Language> languagesOf(const QString& name);

  private:
    QString name_;
    QLocale::Language source_ = QLocale::AnyLanguage;
    QLocale::Language target_ = QLocale::AnyLanguage;
    std::unique_ptr<MappedFile> indexFile_;
    std::unique_ptr<MappedFile> textFile_;
    std::unique_ptr<DictIndex> index_;
    std::unique_ptr<DictzipReader> text_;
    QString failure_;
};

}  // namespace lectern::platform
