#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace lectern::platform {

class DocumentModel;
class TextDecoding;

// A page file as a document model. A page that cannot be read gives a blank
// document whose lookups say why. A page that names its encoding (meta
// charset or byte-order mark) is read in it; any other is decoded the way
// course text is. Only a regular file of sane size is read, below `root`
// when that is not empty.
// Whether a page's bytes name their encoding (a byte-order mark, or a meta
// charset near the start); any other page is decoded the way course text is.
bool pageDeclaresEncoding(const QByteArray& bytes);

std::shared_ptr<DocumentModel> readPageFile(const QString& file, const TextDecoding& decoding,
                                            const QString& root = QString());

}  // namespace lectern::platform
