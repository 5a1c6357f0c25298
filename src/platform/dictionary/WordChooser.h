#pragma once

#include "platform/browser/PageWord.h"

#include <QFrame>
#include <QStringList>

class QListWidget;

namespace lectern::platform {

// The words of a passage in a list the keyboard walks: the arrows choose a
// word, Return takes it (and closes the list), Esc closes it.
class WordChooser : public QFrame {
    Q_OBJECT
  public:
    WordChooser();

    // The distinct words of `passage` (its sentence for every word), shown
    // over `over`; nothing when it has none.
    void choose(const QString& passage, const QString& language, QWidget* over);
    // The words of a text, in order, each once.
    static QStringList wordsOf(const QString& text);

  signals:
    void chosen(const lectern::platform::PageWord& word);

  private:
    QListWidget* list_;
    QString passage_;
    QString language_;
};

}  // namespace lectern::platform
