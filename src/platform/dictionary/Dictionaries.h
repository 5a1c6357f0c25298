#pragma once

#include "platform/dictionary/Dictionary.h"

#include <QLocale>
#include <QStringList>
#include <memory>
#include <vector>

namespace lectern::platform {

// The dictd dictionaries installed for the learner: those of the system
// (/usr/share/dictd) and of the learner's own data folder
// (AppDataLocation/dictionaries), found by their ".index" files. A
// dictionary that cannot be used is left out, and problems() names it once.
class Dictionaries {
  public:
    explicit Dictionaries(const QStringList& folders = standardFolders());

    static QStringList standardFolders();

    const std::vector<std::unique_ptr<Dictionary>>& all() const { return dictionaries_; }
    // Those that translate from `language`.
    std::vector<const Dictionary*> from(QLocale::Language language) const;
    // The languages some dictionary translates from, in the order found.
    QList<QLocale::Language> sources() const;
    // "freedict-xxx-yyy: its index cannot be read: ...", one for each left out.
    const QStringList& problems() const { return problems_; }

  private:
    std::vector<std::unique_ptr<Dictionary>> dictionaries_;
    QStringList problems_;
};

}  // namespace lectern::platform
