#include "platform/dictionary/WordList.h"

#include "platform/files/FileReplacement.h"
#include "platform/files/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace lectern::platform {

namespace {

constexpr qsizetype maxField = 600;

QString flat(const QString& field) {
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\t\\r\\n]+\\s*"));
    QString out = field.trimmed();
    out.replace(breaks, QStringLiteral("; "));
    return out.left(maxField);
}

}  // namespace

WordList::WordList(QString path) : path_(std::move(path)) {
    const SafeFile file = SafeFile::openToRead(path_, SafeFile::listLimit, QString());
    QByteArray bytes;
    QString failure;
    if (!file.isOpen() || !file.readAll(bytes, failure))
        return;
    for (const QByteArray& line : bytes.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 4 || fields[0].isEmpty())
            continue;
        words_.push_back({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1]),
                          QString::fromUtf8(fields[2]), QString::fromUtf8(fields[3])});
        if (qsizetype(words_.size()) >= maxWords)
            break;
    }
}

bool WordList::add(Word word, QString& failure) {
    word = {flat(word.word), flat(word.stem), flat(word.entry), flat(word.sentence)};
    std::erase_if(words_, [&word](const Word& kept) { return kept.word == word.word; });
    if (qsizetype(words_.size()) >= maxWords)
        words_.erase(words_.begin());
    words_.push_back(std::move(word));
    return writeTo(path_, failure);
}

QByteArray WordList::tsv() const {
    QByteArray out;
    for (const Word& w : words_)
        out += (flat(w.word) + QLatin1Char('\t') + flat(w.stem) + QLatin1Char('\t') +
                flat(w.entry) + QLatin1Char('\t') + flat(w.sentence) + QLatin1Char('\n'))
                   .toUtf8();
    return out;
}

bool WordList::writeTo(const QString& path, QString& failure) const {
    if (!QDir().mkpath(QFileInfo(path).path())) {
        failure = QStringLiteral("the folder of %1 cannot be made").arg(path);
        return false;
    }
    FileReplacement replacement(path, FileReplacement::Links::ReplaceLinks);
    if (!replacement.isOpen() || !replacement.write(tsv()) || !replacement.commit()) {
        failure = QStringLiteral("%1 cannot be written: %2").arg(path, replacement.failure());
        return false;
    }
    return true;
}

}  // namespace lectern::platform
