#include "platform/browser/InertStyle.h"

namespace lectern::platform {

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') ||
           c.unicode() >= 0x80;
}

// The end of the quoted string that starts at `at` (just past its closing
// quote, or the end of the text when it is never closed).
qsizetype skipString(const QString& css, qsizetype at) {
    const QChar quote = css[at];
    qsizetype i = at + 1;
    while (i < css.size() && css[i] != quote && css[i] != QLatin1Char('\n'))
        ++i;
    return i < css.size() ? i + 1 : i;
}

bool isQuote(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// Copies the quoted string that starts at `at`; returns just past it.
qsizetype copyString(const QString& css, qsizetype at, QString& out) {
    const qsizetype end = skipString(css, at);
    out += QStringView(css).mid(at, end - at);
    return end;
}

QString withoutComments(const QString& css) {
    QString out;
    out.reserve(css.size());
    qsizetype i = 0;
    while (i < css.size()) {
        const QChar c = css[i];
        if (isQuote(c)) {
            i = copyString(css, i, out);
        } else if (c == QLatin1Char('/') && i + 1 < css.size() && css[i + 1] == QLatin1Char('*')) {
            const qsizetype end = css.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? css.size() : end + 2;
            out += QLatin1Char(' ');
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// A function that may make a browser fetch what it names.
bool fetches(const QString& function) {
    const QString name = function.toLower();
    for (const char* part : {"url", "image", "src", "fade", "element", "expression"})
        if (name.contains(QLatin1String(part)))
            return true;
    return false;
}

// Just past the parenthesis that closes the one open before `at`.
qsizetype skipArguments(const QString& css, qsizetype at) {
    int depth = 1;
    qsizetype i = at;
    while (i < css.size() && depth > 0) {
        const QChar c = css[i];
        if (isQuote(c)) {
            i = skipString(css, i);
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        ++i;
    }
    return i;
}

// Just past the semicolon that ends the rule begun at `at`.
qsizetype skipRule(const QString& css, qsizetype at) {
    qsizetype i = at;
    while (i < css.size() && css[i] != QLatin1Char(';')) {
        if (isQuote(css[i]))
            i = skipString(css, i);
        else
            ++i;
    }
    return i < css.size() ? i + 1 : i;
}

}  // namespace

QString inertStyle(const QString& text) {
    const QString css = withoutComments(text);
    if (css.contains(QLatin1Char('\\')) || css.contains(QLatin1Char('<')))
        return QString();
    QString out;
    out.reserve(css.size());
    qsizetype i = 0;
    while (i < css.size()) {
        const QChar c = css[i];
        if (isQuote(c)) {
            i = copyString(css, i, out);
            continue;
        }
        if (!isNameChar(c) && c != QLatin1Char('@')) {
            out += c;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < css.size() && isNameChar(css[end]))
            ++end;
        const QString name = css.mid(i, end - i);
        if (name.compare(QLatin1String("@import"), Qt::CaseInsensitive) == 0) {
            i = skipRule(css, end);
            continue;
        }
        if (end < css.size() && css[end] == QLatin1Char('(') && fetches(name)) {
            out += QLatin1String("none");
            i = skipArguments(css, end + 1);
            continue;
        }
        out += name;
        i = end;
    }
    return out.trimmed().isEmpty() ? QString() : out;
}

}  // namespace lectern::platform
