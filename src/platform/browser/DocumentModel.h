#pragma once

#include "platform/browser/IdIndex.h"
#include "platform/browser/PageEdit.h"
#include "platform/browser/Variant.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
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

    // Typed access, the ground the late-bound objects stand on. An element
    // is told by its place among the page's elements in document order, as
    // the page was parsed. A place is never given to another element: one
    // that leaves the page leaves its place empty, and a handle to it raises.
    static constexpr int none = -1;
    int root() const { return elements_.empty() ? none : 0; }
    int body() const;
    // The one element with this id; raises when there is none or several.
    int elementById(const QString& id) const;
    // none when there is none; the first when there are several.
    int firstElementById(const QString& id) const;
    // Below scope (none: the whole page), in document order.
    std::vector<int> elementsByTagName(int scope, const QString& tag) const;
    int elementCount() const { return static_cast<int>(elements_.size()) - removedCount_; }
    // none for the root, whose parent is the document.
    int parentOf(int element) const;

    QString tagName(int element) const;
    bool hasAttribute(int element, const QString& name) const;
    QString attribute(int element, const QString& name) const;
    QString className(int element) const;
    void setClassName(int element, const QString& value);
    bool checked(int element) const;
    void setChecked(int element, bool value);
    QString value(int element) const;
    void setValue(int element, const QString& value);
    void setId(int element, const QString& id);
    // The element's aria-current, which tells assistive technology where the
    // learner is without changing how the page looks; empty removes it.
    void setAriaCurrent(int element, const QString& value);
    // Puts the page's reading point (its focus) on the element, where a
    // screen reader goes on reading: the page does not scroll or show a
    // focus ring, the window keeps the keyboard and the markup is unchanged.
    void focus(int element);
    // What a browser does on a click that no script handles: a checkbox
    // toggles, a radio button becomes the ticked one of its group.
    void click(int element);
    QString innerHtml(int element) const;
    QString outerHtml(int element) const;
    QString textContent(int element) const;
    // How messages name an element: by id when it has one.
    QString describe(int element) const;
    // False once a change (a textarea's new value) has taken the element out
    // of the page; every other access to it then raises.
    bool isLive(int element) const;
    // Raises "Element '%s' not found" with the page's trouble, if any.
    [[noreturn]] void notFound(const QString& id) const;

  private:
    enum class Kind : quint8 { Other, Checkbox, Radio, TextInput, TextArea };
    // What the windows change most, held apart from the markup so that
    // moving the highlight touches little memory. A class written here
    // reaches the markup before anything reads the markup.
    struct ElementState {
        qint32 className = -1;  // in classNames_; -1: no class attribute
        Kind kind = Kind::Other;
        bool classPending = false;
    };

    DocumentModel(_xmlDoc* doc, QString source, QString reason);
    void indexPage();
    void addId(QStringView id, int element);
    // Adds or removes the element's id, as its markup has it now.
    void indexIds(int element, bool add);
    void removeId(int element, Node* node);
    // Replaces a textarea's content by text. Elements the parser put inside
    // it leave the model before their nodes are freed, so that no handle,
    // id or pending class reaches freed memory.
    void writeTextArea(int element, const QString& value);
    void removeElementsBelow(Node* top);
    void notify(PageEdit::Kind kind, int element, const QString& value);
    int internClass(const QString& name);
    // Writes the classes changed since the markup was last read.
    void syncMarkup() const;
    // Both raise for an element no longer in the page.
    Node* node(int element) const;
    ElementState& state(int element) const;
    [[noreturn]] void removedElement(int element) const;
    int elementOf(Node* node) const;

    _xmlDoc* doc_;
    QString source_;
    QString reason_;
    std::vector<Node*> elements_;  // null where an element left the page
    int removedCount_ = 0;
    QHash<int, QString> removedNames_;  // how messages name the elements gone
    mutable std::vector<ElementState> states_;
    mutable std::vector<int> pendingClasses_;
    QStringList classNames_;
    QHash<QString, int> classIndex_;
    IdIndex ids_{elements_};
    std::vector<int> inputs_;  // input and textarea elements, in document order
    PageEditSink* sink_ = nullptr;
};

}  // namespace lectern::platform
