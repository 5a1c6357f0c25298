#include "platform/browser/PageFile.h"

#include "platform/browser/DocumentModel.h"
#include "platform/files/SafeFile.h"
#include "platform/files/TextDecoding.h"

#include <QFileInfo>

namespace lectern::platform {

bool pageDeclaresEncoding(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith("\xFE\xFF"))
        return true;
    return bytes.left(4096).toLower().contains("charset");
}

std::shared_ptr<DocumentModel> readPageFile(const QString& file, const TextDecoding& decoding,
                                            const QString& root) {
    const QFileInfo info(file);
    if (!info.exists())
        return DocumentModel::blank(file, QStringLiteral("the page %1 does not exist").arg(file));
    if (info.isDir())
        return DocumentModel::blank(file, QStringLiteral("the page %1 is a folder").arg(file));
    const SafeFile in = SafeFile::openToRead(file, SafeFile::pageLimit, root);
    QByteArray bytes;
    QString failure = in.failure();
    if (!in.isOpen() || !in.readAll(bytes, failure))
        return DocumentModel::blank(
            file, QStringLiteral("the page %1 cannot be read: %2").arg(file, failure));
    if (pageDeclaresEncoding(bytes))
        return DocumentModel::parse(bytes, QByteArray(), file);
    return DocumentModel::parse(decoding.decode(bytes).toUtf8(), "UTF-8", file);
}

}  // namespace lectern::platform
