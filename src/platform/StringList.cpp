#include "platform/StringList.h"

#include "platform/Error.h"
#include "platform/files/CourseFiles.h"

namespace lectern::platform {

const QString& StringList::Strings(int index) const {
    if (index < 0 || index >= Count())
        throw Error(QStringLiteral("List index out of bounds (%1)").arg(index));
    return lines_[index];
}

void StringList::LoadFromFile(const CourseFiles& files, const QString& coursePath, qint64 limit,
                              const LineBudget& budget) {
    lines_ = splitLines(files.readText(coursePath, nullptr, limit, budget));
}

void StringList::SaveToFile(const CourseFiles& files, const QString& coursePath) const {
    files.writeBytes(coursePath, text().toUtf8());
}

QStringList StringList::splitLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start).toString());
    return lines;
}

QString StringList::text() const {
    QString result;
    for (const QString& line : lines_) {
        result += line;
        result += QLatin1String("\r\n");
    }
    return result;
}

}  // namespace lectern::platform
