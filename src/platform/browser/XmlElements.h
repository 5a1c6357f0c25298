#pragma once

#include "platform/browser/XmlText.h"

#include <libxml/tree.h>

namespace lectern::platform {

inline bool isElement(const xmlNode* node) {
    return node && node->type == XML_ELEMENT_NODE;
}

inline bool named(const xmlNode* element, const char* name) {
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

}  // namespace lectern::platform
