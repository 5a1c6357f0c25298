#include "platform/browser/InertPage.h"

#include "platform/browser/InertStyle.h"
#include "platform/browser/XmlText.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/tree.h>

#include <QByteArray>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace lectern::platform {

namespace {

QSet<QString> setOf(const char* names) {
    const QStringList list = QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return QSet<QString>(list.begin(), list.end());
}

// Elements that go with all they hold: they run, fetch or embed, or a browser
// reads their content other than this parser did.
const QSet<QString>& droppedElements() {
    static const QSet<QString> names = setOf(
        "script noscript template iframe frame frameset object embed applet noembed "
        "noframes base link meta param portal fencedframe");
    return names;
}

// Elements a browser reads as text only: what they hold becomes that text,
// so that no markup the parser found inside them comes back as markup.
const QSet<QString>& textElements() {
    static const QSet<QString> names = setOf("textarea title option");
    return names;
}

const QSet<QString>& keptElements() {
    static const QSet<QString> names = setOf(
        "html head body style p div span br hr h1 h2 h3 h4 h5 h6 b i u s strike em strong small "
        "big sub sup tt code pre kbd samp var cite q blockquote abbr acronym dfn mark ins del "
        "font center address a ul ol li dl dt dd menu dir table caption thead tbody tfoot tr th "
        "td col colgroup input textarea select option optgroup label fieldset legend button img "
        "figure figcaption article section nav aside header footer main details summary wbr "
        "nobr bdi bdo ruby rt rp time meter progress output title");
    return names;
}

const QSet<QString>& keptAttributes() {
    static const QSet<QString> names = setOf(
        "id class name type value checked selected disabled readonly multiple size maxlength "
        "minlength rows cols wrap placeholder for label title alt lang dir align valign width "
        "height border cellpadding cellspacing frame rules colspan rowspan span scope headers "
        "abbr axis char charoff nowrap bgcolor color face clear hspace vspace start reversed "
        "compact summary datetime open hidden tabindex accesskey noshade min max step low high "
        "optimum role spellcheck translate rtype style");
    return names;
}

bool isPlainAttributeName(const QString& name) {
    for (const char* prefix : {"data-", "aria-"}) {
        if (!name.startsWith(QLatin1String(prefix)) || name.size() == 5)
            continue;
        return std::all_of(name.begin(), name.end(), [](QChar c) {
            return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c.isDigit() ||
                   c == QLatin1Char('-') || c == QLatin1Char('_');
        });
    }
    return false;
}

void cleanAttributes(xmlNode* element) {
    xmlAttr* attr = element->properties;
    while (attr) {
        xmlAttr* next = attr->next;
        const QString name = fromXml(attr->name).toLower();
        if (!keptAttributes().contains(name) && !isPlainAttributeName(name)) {
            xmlRemoveProp(attr);
        } else if (name == QLatin1String("style")) {
            const QString style =
                inertStyle(takeXml(xmlNodeListGetString(element->doc, attr->children, 1)));
            if (style.isEmpty())
                xmlRemoveProp(attr);
            else
                xmlSetProp(element, attr->name, x(style.toUtf8().constData()));
        }
        attr = next;
    }
}

void replaceContent(xmlNode* element, const QString& text) {
    xmlNodeSetContent(element, nullptr);
    if (!text.isEmpty())
        xmlAddChild(element, xmlNewDocText(element->doc, x(text.toUtf8().constData())));
}

// Moves what the element holds to its place, before it.
void hoistChildren(xmlNode* element) {
    xmlNode* first = element->children;
    xmlNode* last = element->last;
    if (!first)
        return;
    for (xmlNode* child = first; child; child = child->next)
        child->parent = element->parent;
    first->prev = element->prev;
    if (element->prev)
        element->prev->next = first;
    else
        element->parent->children = first;
    last->next = element;
    element->prev = last;
    element->children = nullptr;
    element->last = nullptr;
}

void discard(xmlNode* node) {
    xmlUnlinkNode(node);
    xmlFreeNode(node);
}

// The node after this one and all it holds, in document order, below top.
xmlNode* after(xmlNode* node, xmlNode* top) {
    while (node && node != top && !node->next)
        node = node->parent;
    return node && node != top ? node->next : nullptr;
}

// Walks below top without recursion (pages may nest deeper than a stack),
// deciding on each node before anything below it.
void cleanBelow(xmlNode* top) {
    xmlNode* node = top->children;
    while (node) {
        if (node->type == XML_TEXT_NODE) {
            node = after(node, top);
            continue;
        }
        if (node->type != XML_ELEMENT_NODE) {
            xmlNode* next = after(node, top);
            discard(node);
            node = next;
            continue;
        }
        const QString name = fromXml(node->name).toLower();
        if (droppedElements().contains(name)) {
            xmlNode* next = after(node, top);
            discard(node);
            node = next;
        } else if (!keptElements().contains(name)) {
            xmlNode* next = node->children ? node->children : after(node, top);
            hoistChildren(node);
            discard(node);
            node = next;
        } else if (name == QLatin1String("style")) {
            xmlNode* next = after(node, top);
            const QString style = inertStyle(takeXml(xmlNodeGetContent(node)));
            if (style.isEmpty()) {
                discard(node);
            } else {
                cleanAttributes(node);
                replaceContent(node, style);
            }
            node = next;
        } else if (textElements().contains(name)) {
            cleanAttributes(node);
            replaceContent(node, takeXml(xmlNodeGetContent(node)));
            node = after(node, top);
        } else {
            cleanAttributes(node);
            node = node->children ? node->children : after(node, top);
        }
    }
}

xmlNode* childNamed(xmlNode* parent, const char* name) {
    for (xmlNode* child = parent->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && xmlStrcasecmp(child->name, x(name)) == 0)
            return child;
    return nullptr;
}

xmlNode* newMeta(xmlDoc* doc, const char* name, const char* value, const char* content) {
    xmlNode* meta = xmlNewDocNode(doc, nullptr, x("meta"), nullptr);
    xmlNewProp(meta, x(name), x(value));
    if (content)
        xmlNewProp(meta, x("content"), x(content));
    return meta;
}

// The head, made when the markup has none, starts with the declarations.
void declare(xmlDoc* doc, xmlNode* root) {
    xmlNode* head = childNamed(root, "head");
    if (!head) {
        head = xmlNewDocNode(doc, nullptr, x("head"), nullptr);
        if (root->children)
            xmlAddPrevSibling(root->children, head);
        else
            xmlAddChild(root, head);
    }
    xmlNode* charset = newMeta(doc, "charset", "utf-8", nullptr);
    xmlNode* policy = newMeta(doc, "http-equiv", "Content-Security-Policy",
                              "default-src 'none'; style-src 'unsafe-inline'");
    if (head->children)
        xmlAddPrevSibling(head->children, charset);
    else
        xmlAddChild(head, charset);
    xmlAddNextSibling(charset, policy);
}

}  // namespace

QString inertPage(const QString& markup) {
    xmlInitParser();
    QByteArray utf8 = markup.toUtf8();
    if (utf8.trimmed().isEmpty())
        utf8 = "<html><head></head><body></body></html>";
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                        HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC | XML_PARSE_HUGE;
    htmlDocPtr doc =
        htmlReadMemory(utf8.constData(), static_cast<int>(utf8.size()), nullptr, "UTF-8", options);
    if (!doc)
        return QString();
    // Text is written as UTF-8, not as character references.
    if (doc->encoding)
        xmlFree(const_cast<xmlChar*>(doc->encoding));
    doc->encoding = xmlStrdup(x("UTF-8"));
    xmlNode* root = xmlDocGetRootElement(doc);
    QString result;
    if (root) {
        cleanBelow(root);
        declare(doc, root);
        result = htmlOf(doc, root->children, true);
    }
    xmlFreeDoc(doc);
    return result;
}

}  // namespace lectern::platform
