#include "platform/dictionary/WordPopup.h"

#include "platform/widgets/Announcer.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace lectern::platform {

WordPopup::WordPopup() : QFrame(nullptr, Qt::Popup) {
    setObjectName(QStringLiteral("WordPopup"));
    setFrameShape(QFrame::Box);
    setAccessibleName(QStringLiteral("Dictionary"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    headword_ = new QLabel(this);
    QFont bold = headword_->font();
    bold.setBold(true);
    headword_->setFont(bold);
    entries_ = new QTextBrowser(this);
    entries_->setObjectName(QStringLiteral("WordEntries"));
    entries_->setAccessibleName(QStringLiteral("Entries"));
    entries_->setOpenLinks(false);
    entries_->setMinimumSize(320, 120);
    language_ = new QComboBox(this);
    language_->setAccessibleName(QStringLiteral("Language of the page"));
    column->addWidget(headword_);
    column->addWidget(entries_, 1);
    column->addWidget(language_);
    connect(language_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_ && index >= 0)
            emit languageChosen(QLocale::Language(language_->itemData(index).toInt()));
    });
    resize(380, 220);
}

void WordPopup::showEntries(const WordEntries& entries, QList<QLocale::Language> languages,
                            QLocale::Language language, const QRect& near, const QString& note) {
    headword_->setText(entries.word);
    QString text;
    if (!entries.missing.isEmpty())
        text = entries.missing;
    else if (entries.entries.empty())
        text = QStringLiteral("No entry for \"%1\"%2.")
                   .arg(entries.word, entries.stem.isEmpty()
                                          ? QString()
                                          : QStringLiteral(" nor for \"%1\"").arg(entries.stem));
    for (const WordEntries::Entry& entry : entries.entries)
        text +=
            entry.text + QStringLiteral("\n(") + entry.dictionary +
            (entry.stem.isEmpty() ? QString() : QStringLiteral(", for \"%1\"").arg(entry.stem)) +
            QStringLiteral(")\n\n");
    if (!note.isEmpty())
        text += QStringLiteral("\n") + note;
    entries_->setPlainText(text.trimmed());
    filling_ = true;
    language_->clear();
    if (!languages.contains(language))
        languages.prepend(language);
    for (const QLocale::Language each : languages)
        language_->addItem(each == QLocale::AnyLanguage ? QStringLiteral("Unknown language")
                                                        : QLocale::languageToString(each),
                           int(each));
    language_->setCurrentIndex(int(languages.indexOf(language)));
    filling_ = false;
    setAccessibleName(QStringLiteral("Dictionary: ") + entries.word);
    setAccessibleDescription(this->text());
    place(near);
    if (!isVisible())
        show();
    raise();
    activateWindow();
    entries_->setFocus();
    // Told through the headword, so that the window keeps its own name.
    announce(headword_, entries.word + QStringLiteral(": ") + this->text());
}

QString WordPopup::text() const {
    return entries_->toPlainText();
}

void WordPopup::place(const QRect& near) {
    QScreen* screen = QGuiApplication::screenAt(near.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QPoint at(near.left(), near.bottom() + 4);
    if (at.y() + height() > area.bottom())
        at.setY(near.top() - height() - 4);
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    move(at);
}

void WordPopup::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    emit opened();
}

void WordPopup::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    emit closed();
}

}  // namespace lectern::platform
