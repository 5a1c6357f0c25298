#include "platform/browser/DocumentModel.h"

#include "platform/Error.h"
#include "platform/browser/DomObjects.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <limits>
#include <mutex>

namespace lectern::platform {

namespace {

const xmlChar* x(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

QString fromXml(const xmlChar* text) {
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

// Owns a string libxml2 allocated.
QString takeXml(xmlChar* text) {
    QString result = fromXml(text);
    if (text)
        xmlFree(text);
    return result;
}

bool isElement(const xmlNode* node) {
    return node && node->type == XML_ELEMENT_NODE;
}

bool named(const xmlNode* element, const char* name) {
    return isElement(element) && xmlStrcasecmp(element->name, x(name)) == 0;
}

// Visits top (when it is an element) and every element below it in document
// order, without recursion: pages may nest deeper than any stack. The
// visitor returns false to stop.
template <typename Visit>
void walkElements(xmlNode* top, Visit visit) {
    if (!top)
        return;
    if (isElement(top) && !visit(top))
        return;
    xmlNode* node = top->children;
    while (node) {
        if (isElement(node)) {
            if (!visit(node))
                return;
            if (node->children) {
                node = node->children;
                continue;
            }
        }
        while (node && !node->next) {
            node = node->parent;
            if (node == top)
                return;
        }
        if (node)
            node = node->next;
    }
}

QString lowerName(const QString& name) {
    return name.toLower();
}

const char* const blankMarkup = "<html><head></head><body></body></html>";

void initialiseLibxml() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

htmlDocPtr readHtml(const QByteArray& bytes, const QByteArray& charset) {
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                        HTML_PARSE_NONET | HTML_PARSE_COMPACT | XML_PARSE_HUGE;
    return htmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), nullptr,
                          charset.isEmpty() ? nullptr : charset.constData(), options);
}

}  // namespace

std::shared_ptr<DocumentModel> DocumentModel::parse(const QByteArray& bytes,
                                                    const QByteArray& charset, QString source) {
    initialiseLibxml();
    htmlDocPtr doc = nullptr;
    QString reason;
    if (bytes.size() > std::numeric_limits<int>::max() / 2)
        reason = QStringLiteral("the page %1 is too large").arg(source);
    else if (!bytes.isEmpty())
        doc = readHtml(bytes, charset);
    if (doc && !xmlDocGetRootElement(doc)) {
        xmlFreeDoc(doc);
        doc = nullptr;
    }
    if (!doc)
        doc = readHtml(blankMarkup, "UTF-8");
    // Text is handed out and serialised as UTF-8 whatever the page came in.
    if (doc->encoding)
        xmlFree(const_cast<xmlChar*>(doc->encoding));
    doc->encoding = xmlStrdup(x("UTF-8"));
    return std::shared_ptr<DocumentModel>(new DocumentModel(doc, std::move(source), reason));
}

std::shared_ptr<DocumentModel> DocumentModel::blank(QString source, QString reason) {
    auto model = parse(QByteArray(), "UTF-8", std::move(source));
    model->reason_ = std::move(reason);
    return model;
}

DocumentModel::DocumentModel(_xmlDoc* doc, QString source, QString reason)
    : doc_(doc), source_(std::move(source)), reason_(std::move(reason)) {
    indexPage();
}

DocumentModel::~DocumentModel() {
    xmlFreeDoc(doc_);
}

Variant DocumentModel::document() {
    return Variant(std::make_shared<DocumentObject>(shared_from_this()));
}

void DocumentModel::indexPage() {
    ids_.clear();
    inputs_.clear();
    elementCount_ = 0;
    walkElements(root(), [this](xmlNode* element) {
        ++elementCount_;
        indexIds(element, true);
        if (named(element, "input") || named(element, "textarea"))
            inputs_.push_back(element);
        return true;
    });
}

void DocumentModel::indexIds(Node* element, bool add) {
    xmlAttr* attr = xmlHasProp(element, x("id"));
    if (!attr)
        return;
    const QString id = takeXml(xmlNodeListGetString(doc_, attr->children, 1));
    if (add) {
        ids_[id].append(element);
        return;
    }
    auto it = ids_.find(id);
    if (it == ids_.end())
        return;
    it->removeOne(element);
    if (it->isEmpty())
        ids_.erase(it);
}

DocumentModel::Node* DocumentModel::root() const {
    return xmlDocGetRootElement(doc_);
}

DocumentModel::Node* DocumentModel::body() const {
    Node* top = root();
    for (Node* child = top ? top->children : nullptr; child; child = child->next)
        if (named(child, "body") || named(child, "frameset"))
            return child;
    return nullptr;
}

void DocumentModel::notFound(const QString& id) const {
    if (reason_.isEmpty())
        throw Error(QStringLiteral("Element '%1' not found").arg(id));
    throw Error(QStringLiteral("Element '%1' not found: %2").arg(id, reason_));
}

DocumentModel::Node* DocumentModel::elementById(const QString& id) const {
    const auto it = ids_.constFind(id);
    if (it == ids_.cend() || it->isEmpty())
        notFound(id);
    if (it->size() > 1)
        throw Error(QStringLiteral("Element id '%1' is not unique: %2 elements have it")
                        .arg(id)
                        .arg(it->size()));
    return it->first();
}

DocumentModel::Node* DocumentModel::firstElementById(const QString& id) const {
    const auto it = ids_.constFind(id);
    return it == ids_.cend() || it->isEmpty() ? nullptr : it->first();
}

std::vector<DocumentModel::Node*> DocumentModel::elementsByTagName(Node* scope,
                                                                   const QString& tag) const {
    std::vector<Node*> found;
    const QByteArray name = tag.toUtf8();
    const bool any = tag == QLatin1String("*");
    walkElements(scope ? scope : root(), [&](xmlNode* element) {
        if (element != scope && (any || named(element, name.constData())))
            found.push_back(element);
        return true;
    });
    return found;
}

int DocumentModel::elementCount() const {
    return elementCount_;
}

QString DocumentModel::tagName(Node* element) const {
    return fromXml(element->name).toUpper();
}

bool DocumentModel::hasAttribute(Node* element, const QString& name) const {
    return xmlHasProp(element, x(lowerName(name).toUtf8().constData())) != nullptr;
}

QString DocumentModel::attribute(Node* element, const QString& name) const {
    xmlAttr* attr = xmlHasProp(element, x(lowerName(name).toUtf8().constData()));
    return attr ? takeXml(xmlNodeListGetString(doc_, attr->children, 1)) : QString();
}

QString DocumentModel::className(Node* element) const {
    return attribute(element, QStringLiteral("class"));
}

void DocumentModel::setClassName(Node* element, const QString& value) {
    xmlSetProp(element, x("class"), x(value.toUtf8().constData()));
    notify(PageEdit::Kind::SetClass, element, value);
}

bool DocumentModel::checked(Node* element) const {
    return xmlHasProp(element, x("checked")) != nullptr;
}

namespace {

void writeChecked(xmlNode* element, bool value) {
    if (value)
        xmlSetProp(element, x("checked"), nullptr);
    else
        xmlUnsetProp(element, x("checked"));
}

void writeValue(xmlNode* element, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    if (named(element, "textarea")) {
        xmlNodeSetContent(element, nullptr);
        xmlAddChild(element, xmlNewDocText(element->doc, x(utf8.constData())));
    } else {
        xmlSetProp(element, x("value"), x(utf8.constData()));
    }
}

bool isTickInput(DocumentModel& model, xmlNode* element) {
    if (!named(element, "input"))
        return false;
    const QString type = model.attribute(element, QStringLiteral("type")).toLower();
    return type == QLatin1String("checkbox") || type == QLatin1String("radio");
}

}  // namespace

void DocumentModel::setChecked(Node* element, bool value) {
    writeChecked(element, value);
    notify(PageEdit::Kind::SetChecked, element, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString DocumentModel::value(Node* element) const {
    if (named(element, "textarea"))
        return textContent(element);
    return attribute(element, QStringLiteral("value"));
}

void DocumentModel::setValue(Node* element, const QString& value) {
    writeValue(element, value);
    notify(PageEdit::Kind::SetValue, element, value);
}

void DocumentModel::setId(Node* element, const QString& id) {
    // The page is told by the old id, so it hears of the change first.
    notify(PageEdit::Kind::SetId, element, id);
    indexIds(element, false);
    xmlSetProp(element, x("id"), x(id.toUtf8().constData()));
    indexIds(element, true);
}

void DocumentModel::click(Node* element) {
    if (isTickInput(*this, element)) {
        const bool radio = attribute(element, QStringLiteral("type")).toLower() == "radio";
        if (!radio) {
            writeChecked(element, !checked(element));
        } else {
            const QString group = attribute(element, QStringLiteral("name"));
            if (!group.isEmpty())
                for (Node* other : inputs_)
                    if (other != element && isTickInput(*this, other) &&
                        attribute(other, QStringLiteral("name")) == group &&
                        attribute(other, QStringLiteral("type")).toLower() == "radio")
                        writeChecked(other, false);
            writeChecked(element, true);
        }
    }
    notify(PageEdit::Kind::Click, element, QString());
}

void DocumentModel::applyInputState(const InputState& state) {
    if (state.index < 0 || state.index >= static_cast<int>(inputs_.size()))
        return;
    Node* element = inputs_[state.index];
    if (isTickInput(*this, element))
        writeChecked(element, state.checked);
    else
        writeValue(element, state.value);
}

namespace {

QString dump(xmlDoc* doc, xmlNode* first, bool siblings) {
    xmlOutputBufferPtr out = xmlAllocOutputBuffer(nullptr);
    if (!out)
        return QString();
    for (xmlNode* node = first; node; node = siblings ? node->next : nullptr)
        htmlNodeDumpFormatOutput(out, doc, node, "UTF-8", 0);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(xmlOutputBufferGetContent(out)),
                          static_cast<qsizetype>(xmlOutputBufferGetSize(out)));
    xmlOutputBufferClose(out);
    return text;
}

}  // namespace

QString DocumentModel::innerHtml(Node* node) const {
    return dump(doc_, node->children, true);
}

QString DocumentModel::outerHtml(Node* node) const {
    return dump(doc_, node, false);
}

QString DocumentModel::textContent(Node* node) const {
    return takeXml(xmlNodeGetContent(node));
}

QString DocumentModel::describe(Node* element) const {
    const QString id = attribute(element, QStringLiteral("id"));
    if (!id.isEmpty())
        return QStringLiteral("element '%1'").arg(id);
    return QStringLiteral("the <%1> element").arg(fromXml(element->name));
}

int DocumentModel::positionOf(Node* element) const {
    int position = -1;
    int at = 0;
    walkElements(root(), [&](xmlNode* node) {
        if (node == element) {
            position = at;
            return false;
        }
        ++at;
        return true;
    });
    return position;
}

void DocumentModel::notify(PageEdit::Kind kind, Node* element, const QString& value) {
    if (!sink_)
        return;
    PageEdit edit{kind, QString(), -1, value};
    const QString id = attribute(element, QStringLiteral("id"));
    const auto it = ids_.constFind(id);
    if (!id.isEmpty() && it != ids_.cend() && it->size() == 1)
        edit.elementId = id;
    else
        edit.elementIndex = positionOf(element);
    sink_->pageEdited(edit);
}

}  // namespace lectern::platform
