#include "platform/dictionary/WordChooser.h"

#include "platform/widgets/Announcer.h"

#include <QListWidget>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace lectern::platform {

WordChooser::WordChooser() : QFrame(nullptr, Qt::Popup) {
    setObjectName(QStringLiteral("WordChooser"));
    setFrameShape(QFrame::Box);
    setAccessibleName(QStringLiteral("Words of the passage"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    list_ = new QListWidget(this);
    list_->setAccessibleName(QStringLiteral("Words of the passage"));
    column->addWidget(list_);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QRect rect(list_->viewport()->mapToGlobal(list_->visualItemRect(item).topLeft()),
                         list_->visualItemRect(item).size());
        const PageWord word{item->text(), passage_, language_, rect};
        hide();
        emit chosen(word);
    });
    resize(220, 260);
}

QStringList WordChooser::wordsOf(const QString& text) {
    static const QRegularExpression word(
        QStringLiteral("[\\p{L}\\p{M}\\p{N}]+(?:['\\x{2019}-][\\p{L}\\p{M}\\p{N}]+)*"));
    QStringList words;
    for (const QRegularExpressionMatch& match : word.globalMatch(text)) {
        const QString found = match.captured().left(PageWord::maxWord);
        if (!words.contains(found))
            words.append(found);
    }
    return words;
}

void WordChooser::choose(const QString& passage, const QString& language, QWidget* over) {
    const QString collapsed = passage.simplified();
    const QStringList words = wordsOf(collapsed);
    if (words.isEmpty())
        return;
    passage_ = collapsed.left(PageWord::maxSentence);
    language_ = language;
    list_->clear();
    list_->addItems(words);
    list_->setCurrentRow(0);
    if (over) {
        const QRect area(over->mapToGlobal(QPoint(0, 0)), over->size());
        move(area.center() - rect().center());
    }
    show();
    activateWindow();
    list_->setFocus();
    announce(this, QStringLiteral("Words of the passage: %1 words. Arrows choose, Return looks up.")
                       .arg(words.size()));
}

}  // namespace lectern::platform
