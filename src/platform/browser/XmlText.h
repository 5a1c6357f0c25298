#pragma once

#include <libxml/HTMLtree.h>
#include <libxml/xmlmemory.h>
#include <libxml/xmlstring.h>

#include <QString>

namespace lectern::platform {

// libxml2 speaks UTF-8 as unsigned bytes; these turn its strings into Qt's.

inline const xmlChar* x(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

inline QString fromXml(const xmlChar* text) {
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

// Owns a string libxml2 allocated.
inline QString takeXml(xmlChar* text) {
    QString result = fromXml(text);
    if (text)
        xmlFree(text);
    return result;
}

// The markup of first, and of the siblings after it when asked.
inline QString htmlOf(xmlDoc* doc, xmlNode* first, bool siblings) {
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

}  // namespace lectern::platform
