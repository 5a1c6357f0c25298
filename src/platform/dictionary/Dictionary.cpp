#include "platform/dictionary/Dictionary.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace lectern::platform {

namespace {

QLocale::Language languageOf(const QString& code) {
    const QLocale::Language language = QLocale::codeToLanguage(code);
    return language == QLocale::AnyLanguage || language == QLocale::C ? QLocale::AnyLanguage
                                                                      : language;
}

}  // namespace

std::pair<QLocale::Language, QLocale::Language> Dictionary::languagesOf(const QString& name) {
    static const QRegularExpression pair(QStringLiteral("([a-z]{2,3})[-_]([a-z]{2,3})$"));
    const QRegularExpressionMatch match = pair.match(name.toLower());
    if (!match.hasMatch())
        return {QLocale::AnyLanguage, QLocale::AnyLanguage};
    return {languageOf(match.captured(1)), languageOf(match.captured(2))};
}

Dictionary::Dictionary(const QString& indexPath) {
    const QFileInfo info(indexPath);
    name_ = info.completeBaseName();
    std::tie(source_, target_) = languagesOf(name_);
    const QString base = info.path() + QLatin1Char('/') + name_;
    QString textPath = base + QStringLiteral(".dict.dz");
    if (!QFileInfo::exists(textPath))
        textPath = base + QStringLiteral(".dict");
    if (source_ == QLocale::AnyLanguage) {
        failure_ = QStringLiteral("its name does not say its languages");
        return;
    }
    indexFile_ = std::make_unique<MappedFile>(indexPath, indexLimit);
    if (!indexFile_->isOpen()) {
        failure_ = QStringLiteral("its index cannot be read: %1").arg(indexFile_->failure());
        return;
    }
    textFile_ = std::make_unique<MappedFile>(textPath, textLimit);
    if (!textFile_->isOpen()) {
        failure_ = QStringLiteral("its text cannot be read: %1").arg(textFile_->failure());
        return;
    }
    text_ = std::make_unique<DictzipReader>(textFile_->bytes());
    if (!text_->failure().isEmpty()) {
        failure_ = QStringLiteral("its text cannot be read: %1").arg(text_->failure());
        return;
    }
    index_ = std::make_unique<DictIndex>(indexFile_->bytes());
}

QStringList Dictionary::entries(const QString& word) const {
    QStringList found;
    if (!index_)
        return found;
    for (const DictIndex::Location& at : index_->find(word)) {
        QByteArray bytes;
        QString why;
        if (!text_->read(at.offset, at.length, bytes, why))
            continue;  // a bad line of the index spoils only itself
        QString entry = index_->isUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
        entry = entry.trimmed();
        if (!entry.isEmpty() && !found.contains(entry))
            found.append(entry);
    }
    // A lookup touches a few pages of each file, and the kernel maps their
    // neighbours too: none of them is needed until the next lookup.
    indexFile_->releasePages();
    textFile_->releasePages();
    return found;
}

}  // namespace lectern::platform
