#pragma once

#include "platform/browser/PageEdit.h"
#include "platform/browser/Variant.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace lectern::platform {

// The parsed markup of one page: what the document object and its elements
// read and change. Ids are indexed when the page is parsed and the index is
// kept up to date, so a lookup by id never walks the page. Every change made
// through it is passed to the sink, if any, so that a shown page repeats it.
class DocumentModel : public std::enable_shared_from_this<DocumentModel> {
  public:
    using Node = _xmlNode;

    // Parses HTML as a browser would, forgiving any error. charset names the
    // encoding of bytes; empty lets the markup tell (meta or byte-order mark).
    static std::shared_ptr<DocumentModel> parse(const QByteArray& bytes, const QByteArray& charset,
                                                QString source);
    // A document without elements; lookups in it name the reason.
    static std::shared_ptr<DocumentModel> blank(QString source, QString reason);

    ~DocumentModel();
    DocumentModel(const DocumentModel&) = delete;
    DocumentModel& operator=(const DocumentModel&) = delete;

    // The document object, as TCppWebBrowser::Document hands it over.
    Variant document();

    const QString& source() const { return source_; }
    // Why the page has no content (missing file...), empty when it loaded.
    const QString& reason() const { return reason_; }

    void setSink(PageEditSink* sink) { sink_ = sink; }
    // Takes over what the learner did in the shown page.
    void applyInputState(const InputState& state);

    // Typed access, the ground the late-bound objects stand on.
    Node* root() const;
    Node* body() const;
    // The one element with this id; raises when there is none or several.
    Node* elementById(const QString& id) const;
    // Null when there is none; the first when there are several.
    Node* firstElementById(const QString& id) const;
    std::vector<Node*> elementsByTagName(Node* scope, const QString& tag) const;
    int elementCount() const;

    QString tagName(Node* element) const;
    bool hasAttribute(Node* element, const QString& name) const;
    QString attribute(Node* element, const QString& name) const;
    QString className(Node* element) const;
    void setClassName(Node* element, const QString& value);
    bool checked(Node* element) const;
    void setChecked(Node* element, bool value);
    QString value(Node* element) const;
    void setValue(Node* element, const QString& value);
    void setId(Node* element, const QString& id);
    // What a browser does on a click that no script handles: a checkbox
    // toggles, a radio button becomes the ticked one of its group.
    void click(Node* element);
    QString innerHtml(Node* node) const;
    QString outerHtml(Node* node) const;
    QString textContent(Node* node) const;
    // How messages name an element: by id when it has one.
    QString describe(Node* element) const;
    // Raises "Element '%s' not found" with the page's trouble, if any.
    [[noreturn]] void notFound(const QString& id) const;

  private:
    DocumentModel(_xmlDoc* doc, QString source, QString reason);
    void indexPage();
    void indexIds(Node* element, bool add);
    void notify(PageEdit::Kind kind, Node* element, const QString& value);
    int positionOf(Node* element) const;

    _xmlDoc* doc_;
    QString source_;
    QString reason_;
    QHash<QString, QList<Node*>> ids_;
    std::vector<Node*> inputs_;  // input and textarea, in document order
    int elementCount_ = 0;
    PageEditSink* sink_ = nullptr;
};

}  // namespace lectern::platform
