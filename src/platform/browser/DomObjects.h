#pragma once

#include "platform/browser/DocumentModel.h"
#include "platform/browser/Variant.h"

#include <memory>
#include <vector>

namespace lectern::platform {

// The late-bound faces of a document model: the document, its elements and
// its collections. Each keeps the model alive. Member names are matched in
// lower case, so "Click", "Length" and "Checked" reach click, length and
// checked.

class DocumentObject : public DispatchObject {
  public:
    explicit DocumentObject(std::shared_ptr<DocumentModel> model) : model_(std::move(model)) {}
    Variant get(const QString& name) override;
    void set(const QString& name, const Variant& value) override;
    Variant call(const QString& name, const QString* argument) override;
    QString describe() const override { return QStringLiteral("the document"); }

  private:
    std::shared_ptr<DocumentModel> model_;
};

class ElementObject : public DispatchObject {
  public:
    ElementObject(std::shared_ptr<DocumentModel> model, int element)
        : model_(std::move(model)), element_(element) {}
    Variant get(const QString& name) override;
    void set(const QString& name, const Variant& value) override;
    Variant call(const QString& name, const QString* argument) override;
    QString describe() const override { return model_->describe(element_); }

  private:
    std::shared_ptr<DocumentModel> model_;
    int element_;
};

// The document's "all": reading a member named by an id gives that element.
class AllCollection : public DispatchObject {
  public:
    explicit AllCollection(std::shared_ptr<DocumentModel> model) : model_(std::move(model)) {}
    Variant get(const QString& name) override;
    void set(const QString& name, const Variant& value) override;
    Variant call(const QString& name, const QString* argument) override;
    QString describe() const override { return QStringLiteral("the collection 'all'"); }

  private:
    std::shared_ptr<DocumentModel> model_;
};

// A list of elements, e.g. the result of getElementsByTagName.
class ElementList : public DispatchObject {
  public:
    ElementList(std::shared_ptr<DocumentModel> model, std::vector<int> nodes)
        : model_(std::move(model)), nodes_(std::move(nodes)) {}
    Variant get(const QString& name) override;
    void set(const QString& name, const Variant& value) override;
    Variant call(const QString& name, const QString* argument) override;
    QString describe() const override { return QStringLiteral("an element collection"); }

  private:
    Variant item(const QString& index) const;

    std::shared_ptr<DocumentModel> model_;
    std::vector<int> nodes_;
};

}  // namespace lectern::platform
