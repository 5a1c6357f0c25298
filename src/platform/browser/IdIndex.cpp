#include "platform/browser/IdIndex.h"

#include <libxml/tree.h>

#include <QHashFunctions>
#include <algorithm>

namespace lectern::platform {

namespace {

constexpr qsizetype noSlot = -1;

}  // namespace

quint64 IdIndex::hashOf(QStringView id) {
    // Zero marks a free slot.
    const quint64 hash = qHash(id, 0x9e3779b97f4a7c15ULL);
    return hash ? hash : 1;
}

bool IdIndex::carries(const Node* element, const QByteArray& id) {
    if (!element)
        return false;
    const xmlAttr* attr = xmlHasProp(const_cast<Node*>(element), BAD_CAST "id");
    if (!attr)
        return false;
    if (attr->children && !attr->children->next && attr->children->type == XML_TEXT_NODE)
        return xmlStrEqual(attr->children->content, BAD_CAST id.constData());
    xmlChar* value = xmlNodeListGetString(element->doc, attr->children, 1);
    const bool same = xmlStrEqual(value, BAD_CAST id.constData());
    xmlFree(value);
    return same;
}

bool IdIndex::matches(const Slot& slot, QStringView id, QByteArray& utf8) const {
    if (slot.length >= 0)
        return slot.length == id.size() && std::equal(slot.key, slot.key + slot.length, id.utf16());
    if (id.size() <= inlineLength)
        return false;
    if (utf8.isNull())
        utf8 = id.toUtf8();
    return carries(elements_[static_cast<size_t>(slot.entry.first)], utf8);
}

void IdIndex::clear() {
    slots_.clear();
    used_ = 0;
}

qsizetype IdIndex::slotOf(QStringView id) const {
    if (slots_.empty())
        return noSlot;
    const quint64 hash = hashOf(id);
    const size_t mask = slots_.size() - 1;
    QByteArray utf8;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.hash == 0)
            return noSlot;
        if (slot.hash == hash && matches(slot, id, utf8))
            return static_cast<qsizetype>(i);
    }
}

IdIndex::Entry* IdIndex::find(QStringView id) {
    const qsizetype at = slotOf(id);
    return at == noSlot ? nullptr : &slots_[static_cast<size_t>(at)].entry;
}

const IdIndex::Entry* IdIndex::find(QStringView id) const {
    const qsizetype at = slotOf(id);
    return at == noSlot ? nullptr : &slots_[static_cast<size_t>(at)].entry;
}

IdIndex::Entry& IdIndex::add(QStringView id, int element) {
    if ((used_ + 1) * 2 > static_cast<qsizetype>(slots_.size()))
        grow();
    const quint64 hash = hashOf(id);
    const size_t mask = slots_.size() - 1;
    QByteArray utf8;
    size_t i = hash & mask;
    for (; slots_[i].hash != 0; i = (i + 1) & mask)
        if (slots_[i].hash == hash && matches(slots_[i], id, utf8))
            return slots_[i].entry;
    Slot& slot = slots_[i];
    slot.hash = hash;
    slot.entry = Entry{element, 0};
    if (id.size() <= inlineLength) {
        slot.length = static_cast<qint16>(id.size());
        std::copy(id.utf16(), id.utf16() + id.size(), slot.key);
    }
    ++used_;
    return slot.entry;
}

void IdIndex::remove(QStringView id) {
    const qsizetype at = slotOf(id);
    if (at == noSlot)
        return;
    // Backward shift: later slots of the probe run move up to close the gap.
    const size_t mask = slots_.size() - 1;
    size_t gap = static_cast<size_t>(at);
    for (size_t i = (gap + 1) & mask; slots_[i].hash != 0; i = (i + 1) & mask) {
        const size_t home = slots_[i].hash & mask;
        const bool movable = ((i - home) & mask) >= ((i - gap) & mask);
        if (movable) {
            slots_[gap] = slots_[i];
            gap = i;
        }
    }
    slots_[gap] = Slot();
    --used_;
}

void IdIndex::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, Slot());
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.hash == 0)
            continue;
        size_t i = slot.hash & mask;
        while (slots_[i].hash != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

}  // namespace lectern::platform
