#include "exercises/markup/PageMarkup.h"

#include "catalogue/PageIds.h"
#include "platform/Error.h"

#include <QRegularExpression>

namespace lectern::exercises {

namespace {

bool isCommentary(const QString& className) {
    return className == QLatin1String("comm") || className == QLatin1String("inscomm");
}

}  // namespace

Variant FindElement(const Variant& document, const QString& id) {
    return document.get(QStringLiteral("all")).get(id);
}

void MarkCurrent(const Variant& element) {
    const QString now = element.get(QStringLiteral("className")).toString();
    element.set(QStringLiteral("className"),
                isCommentary(now) ? QStringLiteral("inscomm") : QStringLiteral("instext"));
    element.set(QStringLiteral("ariaCurrent"), QStringLiteral("true"));
}

void MarkRest(const Variant& element) {
    const QString now = element.get(QStringLiteral("className")).toString();
    element.set(QStringLiteral("className"),
                isCommentary(now) ? QStringLiteral("comm") : QStringLiteral("text"));
    element.set(QStringLiteral("ariaCurrent"), QString());
}

void ShowPassage(const Variant& document, int k) {
    FindElement(document, catalogue::clickTargetId(k)).call(QStringLiteral("Click"));
    MarkCurrent(FindElement(document, catalogue::passageId(k)));
}

void FocusPassage(const Variant& document, int k) {
    FindElement(document, catalogue::passageId(k)).call(QStringLiteral("focus"));
}

void MoveHighlight(const Variant& document, int i, int k) {
    MarkRest(FindElement(document, catalogue::passageId(i)));
    ShowPassage(document, k);
}

void SetClass(const Variant& element, const QString& className) {
    element.set(QStringLiteral("className"), className);
}

int InputCount(const Variant& document) {
    return document.call(QStringLiteral("getElementsByTagName"), QStringLiteral("input"))
        .get(QStringLiteral("Length"))
        .toInt();
}

Variant FindInput(const Variant& document, int j) {
    return document.call(QStringLiteral("getElementById"), catalogue::testInputId(j));
}

QString InputRtype(const Variant& input) {
    return input.get(QStringLiteral("rtype")).toString();
}

QString InputName(const Variant& input) {
    return input.get(QStringLiteral("name")).toString();
}

QString InputChecked(const Variant& input) {
    return input.get(QStringLiteral("Checked")).toString();
}

namespace {

// The snapshot is saved as UTF-8, whatever the page was written in: every
// charset a meta element declares becomes UTF-8, and a page that declares
// none gets the declaration at the start of its head.
QString declaredAsUtf8(QString markup) {
    static const QRegularExpression charset(
        QStringLiteral(R"((<meta\b[^>]*?\bcharset\s*=\s*["']?)[^"'\s;/>]*)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression head(QStringLiteral(R"(<head\b[^>]*>)"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (markup.contains(charset))
        return markup.replace(charset, QStringLiteral("\\1utf-8"));
    const QString declaration = QStringLiteral(R"(<meta charset="utf-8">)");
    const QRegularExpressionMatch match = head.match(markup);
    return markup.insert(match.hasMatch() ? match.capturedEnd() : 0, declaration);
}

}  // namespace

QString PageSnapshot(const Variant& document) {
    return declaredAsUtf8(document.get(QStringLiteral("body"))
                              .get(QStringLiteral("parentNode"))
                              .get(QStringLiteral("innerHTML"))
                              .toString());
}

}  // namespace lectern::exercises
