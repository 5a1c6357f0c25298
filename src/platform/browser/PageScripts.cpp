#include "platform/browser/PageScripts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QRect>

namespace lectern::platform::PageScripts {

namespace {

const QString reportPrefix = QStringLiteral("\u0001lectern-inputs ");
const QString readyPrefix = QStringLiteral("\u0001lectern-ready ");
const QString wordPrefix = QStringLiteral("\u0001lectern-word ");

QString literal(const QString& text) {
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

const char* const staticFunction = R"JS(function () {
  if (document.querySelector('script,input,textarea,iframe,object,embed')) return false;
  var all = document.getElementsByTagName('*');
  for (var i = 0; i < all.length; i++) {
    var attributes = all[i].attributes;
    for (var j = 0; j < attributes.length; j++)
      if (attributes[j].name.lastIndexOf('on', 0) === 0) return false;
  }
  return true;
})JS";

}  // namespace

QString serialize() {
    return QStringLiteral(R"JS((function () {
  var isStatic = %1;
  var root = document.documentElement;
  if (!root) return ['', false];
  var live = root.querySelectorAll('input,textarea');
  // Only what the learner typed or ticked differs from the markup; a page
  // without inputs (a long reading page) is not copied.
  if (!live.length) return ['<!DOCTYPE html>' + root.outerHTML, isStatic()];
  var copy = root.cloneNode(true);
  var held = copy.querySelectorAll('input,textarea');
  for (var i = 0; i < live.length && i < held.length; i++) {
    var a = live[i], b = held[i];
    if (a.tagName === 'TEXTAREA') {
      b.textContent = a.value;
    } else if (a.type === 'checkbox' || a.type === 'radio') {
      if (a.checked) b.setAttribute('checked', ''); else b.removeAttribute('checked');
    } else if (a.type !== 'file' && a.type !== 'password') {
      b.setAttribute('value', a.value);
    }
  }
  return ['<!DOCTYPE html>' + copy.outerHTML, false];
})())JS")
        .arg(QLatin1String(staticFunction));
}

QString inputBridge() {
    return QStringLiteral(R"JS((function () {
  var log = console.log.bind(console);
  var prefix = %1;
  function report(target) {
    if (!target || !target.tagName) return;
    var tag = target.tagName;
    if (tag !== 'INPUT' && tag !== 'TEXTAREA') return;
    var all = Array.prototype.slice.call(document.querySelectorAll('input,textarea'));
    var changed = [target];
    if (tag === 'INPUT' && target.type === 'radio' && target.name)
      changed = all.filter(function (e) {
        return e.tagName === 'INPUT' && e.type === 'radio' && e.name === target.name;
      });
    var out = [];
    for (var i = 0; i < changed.length; i++)
      out.push([all.indexOf(changed[i]), changed[i].checked ? 1 : 0, String(changed[i].value)]);
    log(prefix + JSON.stringify(out));
  }
  document.addEventListener('input', function (e) { report(e.target); }, true);
  document.addEventListener('change', function (e) { report(e.target); }, true);
})();)JS")
        .arg(literal(reportPrefix));
}

QString readyNotice() {
    // The edits the page came with are all in before the page says it is whole.
    return QStringLiteral(
               "if (window.lecternFinishEdits) lecternFinishEdits();"
               "console.log(%1 + location.href);")
        .arg(literal(readyPrefix));
}

QString readyReport(const QString& consoleLine) {
    return consoleLine.startsWith(readyPrefix) ? consoleLine.mid(readyPrefix.size()) : QString();
}

namespace {

// An expression for the element an edit changes, null when there is none.
QString finder(const PageEdit& edit) {
    return edit.elementId.isEmpty()
               ? QStringLiteral("document.getElementsByTagName('*')[%1]").arg(edit.elementIndex)
               : QStringLiteral("document.getElementById(%1)").arg(literal(edit.elementId));
}

// Statements that make the edit on the element `e`.
QString action(const PageEdit& edit) {
    switch (edit.kind) {
        case PageEdit::Kind::SetClass:
            return QStringLiteral("e.className = %1;").arg(literal(edit.value));
        case PageEdit::Kind::Click:
            return QStringLiteral("e.click();");
        case PageEdit::Kind::SetChecked:
            return QStringLiteral("e.checked = %1;")
                .arg(edit.value == QLatin1String("1") ? QStringLiteral("true")
                                                      : QStringLiteral("false"));
        case PageEdit::Kind::SetValue:
            return QStringLiteral("e.value = %1;").arg(literal(edit.value));
        case PageEdit::Kind::SetId:
            return QStringLiteral("e.id = %1;").arg(literal(edit.value));
        case PageEdit::Kind::SetAriaCurrent:
            return edit.value.isEmpty() ? QStringLiteral("e.removeAttribute('aria-current');")
                                        : QStringLiteral("e.setAttribute('aria-current', %1);")
                                              .arg(literal(edit.value));
        case PageEdit::Kind::Focus:
            // An element that takes no focus of its own is given it for
            // scripts only, without the ring the course's style would draw.
            return QStringLiteral(
                "if (!e.hasAttribute('tabindex')) { e.tabIndex = -1; e.style.outline = 'none'; }"
                " e.focus({preventScroll: true});");
    }
    return {};
}

}  // namespace

QString edit(const PageEdit& edit) {
    return QStringLiteral("(function () { var e = %1; if (e) { %2 } })();")
        .arg(finder(edit), action(edit));
}

QString earlyEdits(const std::vector<PageEdit>& edits) {
    // A class set on an element found by id, or a click on it, goes in as
    // soon as the parser has made the element, so that the page's first
    // paint shows it: the page has no scripts to see it early. Any other edit
    // waits for the whole document: an element's place among the others is
    // only final then, and a new id could name an element not parsed yet.
    // Either way the edits go in in their order.
    QString steps;
    for (const PageEdit& edit : edits) {
        const bool early =
            !edit.elementId.isEmpty() &&
            (edit.kind == PageEdit::Kind::SetClass || edit.kind == PageEdit::Kind::Click ||
             edit.kind == PageEdit::Kind::SetAriaCurrent);
        steps += QStringLiteral("[%1, function () { return %2; }, function (e) { %3 }],\n")
                     .arg(early ? QStringLiteral("true") : QStringLiteral("false"), finder(edit),
                          action(edit));
    }
    return QStringLiteral(R"JS((function () {
  var steps = [
%1  ];
  var next = 0;
  function run(whole) {
    for (; next < steps.length; ++next) {
      if (!whole && !steps[next][0]) return;
      var e = steps[next][1]();
      if (e) steps[next][2](e);
      else if (!whole) return;
    }
  }
  var parser = new MutationObserver(function () {
    run(false);
    if (next === steps.length) parser.disconnect();
  });
  parser.observe(document, {childList: true, subtree: true});
  window.lecternFinishEdits = function () {
    parser.disconnect();
    run(true);
  };
  document.addEventListener('DOMContentLoaded', window.lecternFinishEdits);
})();)JS")
        .arg(steps);
}

QString wordReporter(const QString& token) {
    return QStringLiteral(R"JS((function () {
  var log = console.log.bind(console);
  var prefix = %1;
  var letter = /[\p{L}\p{M}\p{N}'\u2019-]/u;
  var edge = /^['\u2019-]+|['\u2019-]+$/g;
  var stops = /[.!?\u2026\u3002]/;
  function blockOf(node) {
    for (var e = node.parentElement; e; e = e.parentElement) {
      var display = getComputedStyle(e).display;
      if (display !== 'inline' && display !== 'contents') return e;
    }
    return document.body;
  }
  function sentenceAround(node, start, end) {
    var block = blockOf(node);
    if (!block) return '';
    var before = document.createRange();
    before.setStart(block, 0);
    before.setEnd(node, start);
    var at = before.toString().length;
    var text = block.textContent || '';
    var from = at, to = at + (end - start);
    while (from > 0 && !stops.test(text[from - 1]) && at - from < 400) from--;
    while (to < text.length && !stops.test(text[to]) && to - at < 400) to++;
    if (to < text.length) to++;
    return text.slice(from, to).replace(/\s+/g, ' ').trim().slice(0, %3);
  }
  function languageOf(node) {
    var tagged = node.parentElement && node.parentElement.closest('[lang]');
    if (tagged && tagged.getAttribute('lang')) return tagged.getAttribute('lang');
    var metas = document.querySelectorAll('meta[http-equiv]');
    for (var i = 0; i < metas.length; i++)
      if (metas[i].httpEquiv.toLowerCase() === 'content-language')
        return (metas[i].content || '').split(',')[0].trim();
    return '';
  }
  window.addEventListener('dblclick', function (e) {
    if (!e.isTrusted) return;
    var target = e.target;
    if (target && target.closest &&
        (target.closest('input,textarea,select,button,option') || target.isContentEditable))
      return;
    var caret = document.caretRangeFromPoint(e.clientX, e.clientY);
    if (!caret || caret.startContainer.nodeType !== 3) return;
    var node = caret.startContainer, text = node.data;
    var start = caret.startOffset, end = caret.startOffset;
    while (start > 0 && letter.test(text[start - 1])) start--;
    while (end < text.length && letter.test(text[end])) end++;
    var word = text.slice(start, end).replace(edge, '');
    if (!word || word.length > %2) return;
    start = text.indexOf(word, start);
    end = start + word.length;
    var range = document.createRange();
    range.setStart(node, start);
    range.setEnd(node, end);
    var box = range.getBoundingClientRect();
    log(prefix + JSON.stringify([word, sentenceAround(node, start, end), languageOf(node),
        Math.round(box.left), Math.round(box.top), Math.round(box.width), Math.round(box.height)]));
  }, true);
})();)JS")
        .arg(literal(wordPrefix + token + QLatin1Char(' ')))
        .arg(PageWord::maxWord)
        .arg(PageWord::maxSentence);
}

bool wordReport(const QString& consoleLine, const QString& token, PageWord& word) {
    const QString prefix = wordPrefix + token + QLatin1Char(' ');
    if (token.isEmpty() || !consoleLine.startsWith(prefix))
        return false;
    const QJsonArray fields =
        QJsonDocument::fromJson(consoleLine.mid(prefix.size()).toUtf8()).array();
    if (fields.size() != 7)
        return false;
    word.word = fields[0].toString().left(PageWord::maxWord);
    word.sentence = fields[1].toString().left(PageWord::maxSentence);
    word.language = fields[2].toString().left(35);
    word.rect = QRect(fields[3].toInt(), fields[4].toInt(), fields[5].toInt(), fields[6].toInt());
    return !word.word.isEmpty();
}

bool inputReport(const QString& consoleLine, std::vector<InputState>& states) {
    if (!consoleLine.startsWith(reportPrefix))
        return false;
    const QJsonDocument json =
        QJsonDocument::fromJson(consoleLine.mid(reportPrefix.size()).toUtf8());
    states.clear();
    for (const QJsonValue& entry : json.array()) {
        const QJsonArray fields = entry.toArray();
        if (fields.size() == 3)
            states.push_back({fields[0].toInt(-1), fields[1].toInt() != 0, fields[2].toString()});
    }
    return true;
}

}  // namespace lectern::platform::PageScripts
