#pragma once

#include "platform/dictionary/WordLookup.h"

#include <QFrame>
#include <QList>
#include <QLocale>
#include <QRect>

class QComboBox;
class QLabel;
class QTextBrowser;

namespace lectern::platform {

// The small window next to a looked-up word: the headword, each
// dictionary's entries (or which packages to install), and the language the
// page was read in, which the learner may change. It closes on Esc, on a
// click elsewhere, or when the next word replaces it, and is told to a
// screen reader as it opens.
class WordPopup : public QFrame {
    Q_OBJECT
  public:
    WordPopup();

    // Shows `entries` beside `near` (global coordinates), with `languages`
    // to choose from and `language` chosen.
    void showEntries(const WordEntries& entries, QList<QLocale::Language> languages,
                     QLocale::Language language, const QRect& near, const QString& note);
    // The entries' text, as shown and read out.
    QString text() const;

  signals:
    void languageChosen(QLocale::Language language);
    void opened();
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void place(const QRect& near);

    QLabel* headword_;
    QTextBrowser* entries_;
    QComboBox* language_;
    bool filling_ = false;
};

}  // namespace lectern::platform
