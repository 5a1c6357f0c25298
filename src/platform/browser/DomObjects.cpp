#include "platform/browser/DomObjects.h"

#include "platform/Error.h"

namespace lectern::platform {

namespace {

[[noreturn]] void noMember(const DispatchObject& object, const QString& name) {
    throw Error(QStringLiteral("Member '%1' not found in %2").arg(name, object.describe()));
}

[[noreturn]] void readOnly(const DispatchObject& object, const QString& name) {
    throw Error(QStringLiteral("Member '%1' of %2 cannot be written").arg(name, object.describe()));
}

const QString& needArgument(const DispatchObject& object, const QString& name,
                            const QString* argument) {
    if (!argument)
        throw Error(
            QStringLiteral("Method '%1' of %2 needs an argument").arg(name, object.describe()));
    return *argument;
}

Variant element(const std::shared_ptr<DocumentModel>& model, int element) {
    if (element == DocumentModel::none)
        return Variant::null();
    return Variant(std::make_shared<ElementObject>(model, element));
}

}  // namespace

Variant DocumentObject::get(const QString& name) {
    const QString key = name.toLower();
    if (key == QLatin1String("all"))
        return Variant(std::make_shared<AllCollection>(model_));
    if (key == QLatin1String("body"))
        return element(model_, model_->body());
    if (key == QLatin1String("documentelement"))
        return element(model_, model_->root());
    if (key == QLatin1String("parentnode"))
        return Variant::null();
    noMember(*this, name);
}

void DocumentObject::set(const QString& name, const Variant&) {
    readOnly(*this, name);
}

Variant DocumentObject::call(const QString& name, const QString* argument) {
    const QString key = name.toLower();
    if (key == QLatin1String("getelementsbytagname"))
        return Variant(std::make_shared<ElementList>(
            model_,
            model_->elementsByTagName(DocumentModel::none, needArgument(*this, name, argument))));
    if (key == QLatin1String("getelementbyid"))
        return element(model_, model_->firstElementById(needArgument(*this, name, argument)));
    noMember(*this, name);
}

Variant ElementObject::get(const QString& name) {
    const QString key = name.toLower();
    if (key == QLatin1String("classname"))
        return model_->className(element_);
    if (key == QLatin1String("checked"))
        return model_->checked(element_);
    if (key == QLatin1String("value"))
        return model_->value(element_);
    if (key == QLatin1String("id"))
        return model_->attribute(element_, QStringLiteral("id"));
    // Like id, a name the markup does not give reads as "".
    if (key == QLatin1String("name"))
        return model_->attribute(element_, QStringLiteral("name"));
    if (key == QLatin1String("parentnode"))
        return element_ == model_->root() ? model_->document()
                                          : element(model_, model_->parentOf(element_));
    if (key == QLatin1String("innerhtml"))
        return model_->innerHtml(element_);
    if (key == QLatin1String("outerhtml"))
        return model_->outerHtml(element_);
    if (key == QLatin1String("innertext") || key == QLatin1String("textcontent"))
        return model_->textContent(element_);
    if (key == QLatin1String("ariacurrent"))
        return model_->hasAttribute(element_, QStringLiteral("aria-current"))
                   ? Variant(model_->attribute(element_, QStringLiteral("aria-current")))
                   : Variant::null();
    if (key == QLatin1String("tagname") || key == QLatin1String("nodename"))
        return model_->tagName(element_);
    // Any other attribute of the element reads like a property of its own.
    if (model_->hasAttribute(element_, key))
        return model_->attribute(element_, key);
    noMember(*this, name);
}

void ElementObject::set(const QString& name, const Variant& value) {
    const QString key = name.toLower();
    if (key == QLatin1String("classname"))
        model_->setClassName(element_, value.toString());
    else if (key == QLatin1String("checked"))
        model_->setChecked(element_, value.toBool());
    else if (key == QLatin1String("value"))
        model_->setValue(element_, value.toString());
    else if (key == QLatin1String("id"))
        model_->setId(element_, value.toString());
    else if (key == QLatin1String("ariacurrent"))
        model_->setAriaCurrent(element_, value.toString());
    else
        readOnly(*this, name);
}

Variant ElementObject::call(const QString& name, const QString* argument) {
    const QString key = name.toLower();
    if (key == QLatin1String("click")) {
        model_->click(element_);
        return Variant();
    }
    if (key == QLatin1String("focus")) {
        model_->focus(element_);
        return Variant();
    }
    if (key == QLatin1String("getattribute")) {
        const QString& attribute = needArgument(*this, name, argument);
        if (!model_->hasAttribute(element_, attribute))
            return Variant::null();
        return model_->attribute(element_, attribute);
    }
    if (key == QLatin1String("getelementsbytagname"))
        return Variant(std::make_shared<ElementList>(
            model_, model_->elementsByTagName(element_, needArgument(*this, name, argument))));
    noMember(*this, name);
}

Variant AllCollection::get(const QString& name) {
    if (name.compare(QLatin1String("length"), Qt::CaseInsensitive) == 0)
        return model_->elementCount();
    return element(model_, model_->elementById(name));
}

void AllCollection::set(const QString& name, const Variant&) {
    readOnly(*this, name);
}

Variant AllCollection::call(const QString& name, const QString* argument) {
    if (name.compare(QLatin1String("item"), Qt::CaseInsensitive) == 0)
        return element(model_, model_->elementById(needArgument(*this, name, argument)));
    noMember(*this, name);
}

Variant ElementList::item(const QString& index) const {
    bool ok = false;
    const int i = index.toInt(&ok);
    if (!ok || i < 0 || i >= static_cast<int>(nodes_.size()))
        return Variant::null();
    return element(model_, nodes_[static_cast<size_t>(i)]);
}

Variant ElementList::get(const QString& name) {
    if (name.compare(QLatin1String("length"), Qt::CaseInsensitive) == 0)
        return static_cast<int>(nodes_.size());
    bool numeric = false;
    name.toInt(&numeric);
    if (numeric)
        return item(name);
    noMember(*this, name);
}

void ElementList::set(const QString& name, const Variant&) {
    readOnly(*this, name);
}

Variant ElementList::call(const QString& name, const QString* argument) {
    if (name.compare(QLatin1String("item"), Qt::CaseInsensitive) == 0)
        return item(needArgument(*this, name, argument));
    noMember(*this, name);
}

}  // namespace lectern::platform
