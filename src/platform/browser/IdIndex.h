#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <functional>
#include <vector>

struct _xmlNode;

namespace lectern::platform {

// Where each element id of a page is: its first element in document order
// and how many elements carry it. An open-addressing table of small inline
// slots, so that a lookup costs about one memory access whatever the size of
// the page; an id is told apart from another with the same hash by the id
// its element carries.
class IdIndex {
  public:
    using Node = _xmlNode;
    struct Entry {
        int first = -1;  // the element's place in document order
        int count = 0;
    };

    // The page's elements in document order, which entries refer to.
    explicit IdIndex(const std::vector<Node*>& elements) : elements_(elements) {}

    void clear();
    // Null when no element has the id.
    Entry* find(QStringView id);
    const Entry* find(QStringView id) const;
    // The entry for the id, made empty (count 0) when new; element carries it.
    Entry& add(QStringView id, int element);
    void remove(QStringView id);

  private:
    // Short ids (nearly all) are kept in the slot itself, so that telling
    // them apart does not reach into the page.
    static constexpr int inlineLength = 10;
    struct Slot {
        quint64 hash = 0;
        Entry entry;
        qint16 length = -1;  // -1: the id is too long to keep here
        char16_t key[inlineLength] = {};
    };
    bool matches(const Slot& slot, QStringView id, QByteArray& utf8) const;
    static quint64 hashOf(QStringView id);
    static bool carries(const Node* element, const QByteArray& id);
    qsizetype slotOf(QStringView id) const;
    void grow();

    const std::vector<Node*>& elements_;
    std::vector<Slot> slots_;
    qsizetype used_ = 0;
};

}  // namespace lectern::platform
