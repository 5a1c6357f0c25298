// The document model's form inputs: their checked state and values as the
// lesson and the learner change them, and text areas whose new value takes
// the elements inside them out of the model.
#include "platform/browser/DocumentModel.h"

#include "platform/browser/XmlElements.h"

#include <libxml/tree.h>

#include <utility>
#include <vector>

namespace lectern::platform {

namespace {

void writeChecked(xmlNode* element, bool value) {
    if (value)
        xmlSetProp(element, x("checked"), nullptr);
    else
        xmlUnsetProp(element, x("checked"));
}

void writeValueAttribute(xmlNode* element, const QString& value) {
    xmlSetProp(element, x("value"), x(value.toUtf8().constData()));
}

}  // namespace

bool DocumentModel::checked(int element) const {
    return xmlHasProp(node(element), x("checked")) != nullptr;
}

void DocumentModel::setChecked(int element, bool value) {
    writeChecked(node(element), value);
    notify(PageEdit::Kind::SetChecked, element, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString DocumentModel::value(int element) const {
    if (state(element).kind == Kind::TextArea)
        return textContent(element);
    return attribute(element, QStringLiteral("value"));
}

void DocumentModel::setValue(int element, const QString& value) {
    if (state(element).kind == Kind::TextArea)
        writeTextArea(element, value);
    else
        writeValueAttribute(node(element), value);
    notify(PageEdit::Kind::SetValue, element, value);
}

void DocumentModel::setId(int element, const QString& id) {
    // The page is told by the old id, so it hears of the change first.
    notify(PageEdit::Kind::SetId, element, id);
    indexIds(element, false);
    xmlSetProp(node(element), x("id"), x(id.toUtf8().constData()));
    indexIds(element, true);
}

void DocumentModel::setAriaCurrent(int element, const QString& value) {
    // Set with the highlight four times a second: the page hears only of changes.
    if (attribute(element, QStringLiteral("aria-current")) == value &&
        (!value.isEmpty() || !hasAttribute(element, QStringLiteral("aria-current"))))
        return;
    if (value.isEmpty())
        xmlUnsetProp(node(element), x("aria-current"));
    else
        xmlSetProp(node(element), x("aria-current"), x(value.toUtf8().constData()));
    notify(PageEdit::Kind::SetAriaCurrent, element, value);
}

void DocumentModel::focus(int element) {
    notify(PageEdit::Kind::Focus, element, QString());
}

void DocumentModel::click(int element) {
    switch (state(element).kind) {
        case Kind::Checkbox:
            writeChecked(node(element), !checked(element));
            break;
        case Kind::Radio: {
            const QString group = attribute(element, QStringLiteral("name"));
            if (!group.isEmpty())
                for (int other : inputs_)
                    if (other != element && isLive(other) &&
                        states_[static_cast<size_t>(other)].kind == Kind::Radio &&
                        attribute(other, QStringLiteral("name")) == group)
                        writeChecked(node(other), false);
            writeChecked(node(element), true);
            break;
        }
        default:
            break;
    }
    notify(PageEdit::Kind::Click, element, QString());
}

void DocumentModel::applyInputState(const InputState& state) {
    if (state.index < 0 || state.index >= static_cast<int>(inputs_.size()))
        return;
    const int element = inputs_[static_cast<size_t>(state.index)];
    if (!isLive(element))
        return;
    const Kind kind = states_[static_cast<size_t>(element)].kind;
    if (kind == Kind::Checkbox || kind == Kind::Radio)
        writeChecked(node(element), state.checked);
    else if (kind == Kind::TextArea)
        writeTextArea(element, state.value);
    else
        writeValueAttribute(node(element), state.value);
}

void DocumentModel::writeTextArea(int element, const QString& value) {
    Node* area = node(element);
    removeElementsBelow(area);
    xmlNodeSetContent(area, nullptr);
    xmlAddChild(area, xmlNewDocText(doc_, x(value.toUtf8().constData())));
}

void DocumentModel::removeElementsBelow(Node* top) {
    std::vector<std::pair<int, Node*>> leaving;
    for (Node* child = top->children; child; child = child->next)
        walkElements(child, [&](xmlNode* element) {
            const int ordinal = elementOf(element);
            if (ordinal != none)
                leaving.emplace_back(ordinal, element);
            return true;
        });
    if (leaving.empty())
        return;
    for (const auto& [ordinal, element] : leaving)
        removedNames_.insert(ordinal, describe(ordinal));
    // All leave the model before any id is taken out: a duplicated id must
    // not pass its first place to another element that is leaving too.
    for (const auto& [ordinal, element] : leaving) {
        elements_[static_cast<size_t>(ordinal)] = nullptr;
        element->_private = nullptr;
        states_[static_cast<size_t>(ordinal)].classPending = false;
    }
    removedCount_ += static_cast<int>(leaving.size());
    for (const auto& [ordinal, element] : leaving)
        removeId(ordinal, element);
    std::erase_if(pendingClasses_, [this](int element) { return !isLive(element); });
}

}  // namespace lectern::platform
