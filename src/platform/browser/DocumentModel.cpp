#include "platform/browser/DocumentModel.h"

#include "platform/Error.h"
#include "platform/browser/DomObjects.h"
#include "platform/browser/XmlElements.h"
#include "platform/browser/XmlText.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>
#include <QThreadPool>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>
#include <utility>

namespace lectern::platform {

namespace {

QString lowerName(const QString& name) {
    return name.toLower();
}

const char* const blankMarkup = "<html><head></head><body></body></html>";

void initialiseLibxml() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

htmlDocPtr readHtml(const QByteArray& bytes, const QByteArray& charset) {
    int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                  HTML_PARSE_NONET | HTML_PARSE_COMPACT | XML_PARSE_HUGE;
    // A known encoding stands even where the markup claims another.
    if (!charset.isEmpty())
        options |= HTML_PARSE_IGNORE_ENC;
    htmlParserCtxtPtr context = htmlNewParserCtxt();
    if (!context)
        return nullptr;
    // The model keeps its own index of ids: libxml2's would double the
    // parse of a long page and the memory its ids take.
    context->loadsubset |= XML_SKIP_IDS;
    htmlDocPtr doc =
        htmlCtxtReadMemory(context, bytes.constData(), static_cast<int>(bytes.size()), nullptr,
                           charset.isEmpty() ? nullptr : charset.constData(), options);
    htmlFreeParserCtxt(context);
    return doc;
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
    // A long page's tree takes a tenth of a second to free, and the last
    // model goes on the window's thread when a lesson shows its page again:
    // such a tree is freed on a worker. Nothing else refers to it.
    constexpr std::size_t freedAsideFrom = 4096;
    if (elements_.size() < freedAsideFrom) {
        xmlFreeDoc(doc_);
        return;
    }
    QThreadPool::globalInstance()->start([doc = doc_] { xmlFreeDoc(doc); });
}

Variant DocumentModel::document() {
    return Variant(std::make_shared<DocumentObject>(shared_from_this()));
}

namespace {

// An attribute's value as the parser left it: one text node, read in place.
// Only a value split into several nodes is copied, into spare.
QByteArrayView attributeValue(const xmlAttr* attr, QByteArray& spare) {
    const xmlNode* text = attr->children;
    if (!text)
        return QByteArrayView("");
    if (!text->next && text->type == XML_TEXT_NODE && text->content)
        return QByteArrayView(reinterpret_cast<const char*>(text->content));
    xmlChar* value = xmlNodeListGetString(attr->doc, attr->children, 1);
    spare = value ? QByteArray(reinterpret_cast<const char*>(value)) : QByteArray("");
    xmlFree(value);
    return spare;
}

// A page has as many ids as passages, nearly all short and ASCII: they are
// widened into buffer rather than each allocated as a string.
QStringView widen(QByteArrayView utf8, QVarLengthArray<char16_t, 64>& buffer, QString& spare) {
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        spare = QString::fromUtf8(utf8);
        return spare;
    }
    buffer.resize(utf8.size());
    std::copy(utf8.begin(), utf8.end(), buffer.begin());
    return QStringView(buffer.data(), buffer.size());
}

}  // namespace

void DocumentModel::indexPage() {
    elements_.clear();
    states_.clear();
    inputs_.clear();
    ids_.clear();
    // Pages repeat a few class names thousands of times: they are told by
    // their bytes, and made a string once each.
    QHash<QByteArray, int> classesByUtf8;
    QByteArray spareValue;
    QVarLengthArray<char16_t, 64> idBuffer;
    QString spareId;
    walkElements(xmlDocGetRootElement(doc_), [&](xmlNode* element) {
        const int ordinal = static_cast<int>(elements_.size());
        element->_private = reinterpret_cast<void*>(static_cast<quintptr>(ordinal) + 1);
        elements_.push_back(element);
        ElementState state;
        const bool input = named(element, "input");
        if (named(element, "textarea"))
            state.kind = Kind::TextArea;
        else if (input)
            state.kind = Kind::TextInput;
        // The parser keeps the first of repeated attributes only, with
        // names in lower case.
        for (const xmlAttr* attr = element->properties; attr; attr = attr->next) {
            const char* name = reinterpret_cast<const char*>(attr->name);
            if (std::strcmp(name, "class") == 0) {
                const QByteArrayView value = attributeValue(attr, spareValue);
                const QByteArray key = QByteArray::fromRawData(value.data(), value.size());
                auto known = classesByUtf8.constFind(key);
                if (known == classesByUtf8.cend())
                    known = classesByUtf8.insert(value.toByteArray(),
                                                 internClass(QString::fromUtf8(value)));
                state.className = *known;
            } else if (std::strcmp(name, "id") == 0) {
                addId(widen(attributeValue(attr, spareValue), idBuffer, spareId), ordinal);
            } else if (input && std::strcmp(name, "type") == 0) {
                const QByteArray type = attributeValue(attr, spareValue).toByteArray().toLower();
                state.kind = type == "checkbox" ? Kind::Checkbox
                             : type == "radio"  ? Kind::Radio
                                                : Kind::TextInput;
            }
        }
        states_.push_back(state);
        if (state.kind != Kind::Other)
            inputs_.push_back(ordinal);
        return true;
    });
}

DocumentModel::Node* DocumentModel::node(int element) const {
    if (element < 0 || element >= static_cast<int>(elements_.size()))
        throw Error(QStringLiteral("No element %1 in the page %2").arg(element).arg(source_));
    Node* found = elements_[static_cast<size_t>(element)];
    if (!found)
        removedElement(element);
    return found;
}

DocumentModel::ElementState& DocumentModel::state(int element) const {
    node(element);
    return states_[static_cast<size_t>(element)];
}

bool DocumentModel::isLive(int element) const {
    return element >= 0 && element < static_cast<int>(elements_.size()) &&
           elements_[static_cast<size_t>(element)];
}

void DocumentModel::removedElement(int element) const {
    throw Error(QStringLiteral("Cannot use %1: a new value of the text area around it took it "
                               "out of the page")
                    .arg(removedNames_.value(element, QStringLiteral("the element"))));
}

int DocumentModel::elementOf(Node* node) const {
    if (!isElement(node) || node->doc != doc_ || !node->_private)
        return none;
    return static_cast<int>(reinterpret_cast<quintptr>(node->_private) - 1);
}

int DocumentModel::internClass(const QString& name) {
    const auto it = classIndex_.constFind(name);
    if (it != classIndex_.cend())
        return *it;
    classNames_.append(name);
    classIndex_.insert(name, static_cast<int>(classNames_.size() - 1));
    return static_cast<int>(classNames_.size() - 1);
}

void DocumentModel::syncMarkup() const {
    for (int element : pendingClasses_) {
        ElementState& state = states_[static_cast<size_t>(element)];
        state.classPending = false;
        const QByteArray value = classNames_[state.className].toUtf8();
        xmlSetProp(node(element), x("class"), x(value.constData()));
    }
    pendingClasses_.clear();
}

void DocumentModel::addId(QStringView id, int element) {
    IdIndex::Entry& entry = ids_.add(id, element);
    // An id changed after the page was indexed may put its element before
    // the present first.
    if (entry.count++ == 0 || element < entry.first)
        entry.first = element;
}

void DocumentModel::indexIds(int element, bool add) {
    if (!add) {
        removeId(element, node(element));
        return;
    }
    xmlAttr* attr = xmlHasProp(node(element), x("id"));
    if (attr)
        addId(takeXml(xmlNodeListGetString(doc_, attr->children, 1)), element);
}

void DocumentModel::removeId(int element, Node* node) {
    xmlAttr* attr = xmlHasProp(node, x("id"));
    if (!attr)
        return;
    const QString id = takeXml(xmlNodeListGetString(doc_, attr->children, 1));
    IdIndex::Entry* entry = ids_.find(id);
    if (!entry)
        return;
    if (--entry->count == 0) {
        ids_.remove(id);
        return;
    }
    if (entry->first != element)
        return;
    // The first of a duplicated id is leaving: find the next one.
    for (size_t other = static_cast<size_t>(element) + 1; other < elements_.size(); ++other) {
        if (!elements_[other])
            continue;
        xmlAttr* otherId = xmlHasProp(elements_[other], x("id"));
        if (otherId && takeXml(xmlNodeListGetString(doc_, otherId->children, 1)) == id) {
            entry->first = static_cast<int>(other);
            return;
        }
    }
}

int DocumentModel::body() const {
    Node* top = xmlDocGetRootElement(doc_);
    for (Node* child = top ? top->children : nullptr; child; child = child->next)
        if (named(child, "body") || named(child, "frameset"))
            return elementOf(child);
    return none;
}

int DocumentModel::parentOf(int element) const {
    return elementOf(node(element)->parent);
}

void DocumentModel::notFound(const QString& id) const {
    if (reason_.isEmpty())
        throw Error(QStringLiteral("Element '%1' not found").arg(id));
    throw Error(QStringLiteral("Element '%1' not found: %2").arg(id, reason_));
}

int DocumentModel::elementById(const QString& id) const {
    const IdIndex::Entry* entry = ids_.find(id);
    if (!entry || entry->count == 0)
        notFound(id);
    if (entry->count > 1)
        throw Error(QStringLiteral("Element id '%1' is not unique: %2 elements have it")
                        .arg(id)
                        .arg(entry->count));
    return entry->first;
}

int DocumentModel::firstElementById(const QString& id) const {
    const IdIndex::Entry* entry = ids_.find(id);
    return entry ? entry->first : none;
}

std::vector<int> DocumentModel::elementsByTagName(int scope, const QString& tag) const {
    std::vector<int> found;
    const QByteArray name = tag.toUtf8();
    const bool any = tag == QLatin1String("*");
    Node* top = scope == none ? xmlDocGetRootElement(doc_) : node(scope);
    walkElements(top, [&](xmlNode* element) {
        if ((scope == none || element != top) && (any || named(element, name.constData())))
            found.push_back(elementOf(element));
        return true;
    });
    return found;
}

QString DocumentModel::tagName(int element) const {
    return fromXml(node(element)->name).toUpper();
}

bool DocumentModel::hasAttribute(int element, const QString& name) const {
    syncMarkup();
    return xmlHasProp(node(element), x(lowerName(name).toUtf8().constData())) != nullptr;
}

QString DocumentModel::attribute(int element, const QString& name) const {
    syncMarkup();
    xmlAttr* attr = xmlHasProp(node(element), x(lowerName(name).toUtf8().constData()));
    return attr ? takeXml(xmlNodeListGetString(doc_, attr->children, 1)) : QString();
}

QString DocumentModel::className(int element) const {
    const qint32 index = state(element).className;
    return index < 0 ? QString() : classNames_[index];
}

void DocumentModel::setClassName(int element, const QString& value) {
    ElementState& changed = state(element);
    const int className = internClass(value);
    // The highlight sets the same class four times a second: the page is
    // left alone when nothing changes, so it is not redrawn.
    if (className == changed.className)
        return;
    changed.className = className;
    if (!changed.classPending) {
        changed.classPending = true;
        pendingClasses_.push_back(element);
    }
    notify(PageEdit::Kind::SetClass, element, value);
}

QString DocumentModel::innerHtml(int element) const {
    syncMarkup();
    return htmlOf(doc_, node(element)->children, true);
}

QString DocumentModel::outerHtml(int element) const {
    syncMarkup();
    return htmlOf(doc_, node(element), false);
}

QString DocumentModel::textContent(int element) const {
    return takeXml(xmlNodeGetContent(node(element)));
}

QString DocumentModel::describe(int element) const {
    if (!isLive(element))
        return removedNames_.value(element, QStringLiteral("an element not in the page"));
    const QString id = attribute(element, QStringLiteral("id"));
    if (!id.isEmpty())
        return QStringLiteral("element '%1'").arg(id);
    return QStringLiteral("the <%1> element").arg(fromXml(node(element)->name));
}

void DocumentModel::notify(PageEdit::Kind kind, int element, const QString& value) {
    if (!sink_)
        return;
    PageEdit edit{kind, QString(), element, value};
    const QString id = attribute(element, QStringLiteral("id"));
    const IdIndex::Entry* entry = id.isEmpty() ? nullptr : ids_.find(id);
    if (entry && entry->count == 1) {
        edit.elementId = id;
        edit.elementIndex = -1;
    }
    sink_->pageEdited(edit);
}

}  // namespace lectern::platform
