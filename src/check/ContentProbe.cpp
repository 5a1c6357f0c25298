#include "check/ContentProbe.h"

#include "platform/Error.h"
#include "platform/browser/DocumentModel.h"
#include "platform/browser/PageFile.h"
#include "platform/files/FileRefused.h"
#include "platform/files/SafeFile.h"
#include "platform/jpeg/TJPEGImage.h"
#include "platform/media/Sound.h"

namespace lectern::check::ContentProbe {

bool Page::has(const QString& id) const {
    return document && document->firstElementById(id) != platform::DocumentModel::none;
}

bool Page::duplicated(const QString& id) const {
    if (!has(id))
        return false;
    try {
        document->elementById(id);
        return false;
    } catch (const platform::Error&) {
        return true;
    }
}

bool Page::hasAttribute(const QString& id, const QString& attribute) const {
    const int element = document ? document->firstElementById(id) : platform::DocumentModel::none;
    return element != platform::DocumentModel::none && document->hasAttribute(element, attribute);
}

int Page::inputCount() const {
    if (!document)
        return 0;
    return static_cast<int>(
        document->elementsByTagName(platform::DocumentModel::none, QStringLiteral("input")).size());
}

std::vector<Page::Resource> Page::resources() const {
    static const struct {
        const char* tag;
        const char* attribute;
        const char* kind;
    } loaded[] = {
        {"img", "src", "picture"},         {"link", "href", "style sheet"},
        {"script", "src", "script"},       {"audio", "src", "sound"},
        {"source", "src", "sound"},        {"embed", "src", "embedded file"},
        {"body", "background", "picture"},
    };
    std::vector<Resource> found;
    if (!document)
        return found;
    for (const auto& [tag, attribute, kind] : loaded)
        for (const int element :
             document->elementsByTagName(platform::DocumentModel::none, QLatin1String(tag)))
            if (document->hasAttribute(element, QLatin1String(attribute)))
                found.push_back(
                    {QLatin1String(kind), document->attribute(element, QLatin1String(attribute))});
    return found;
}

Page page(const QString& realPath, const platform::TextDecoding& decoding) {
    Page page;
    page.document = platform::readPageFile(realPath, decoding);
    page.error = page.document->reason();
    return page;
}

Sound sound(const QString& realPath) {
    Sound facts;
    try {
        const auto sound = platform::Sound::load(realPath, realPath);
        if (sound->format.sampleRate > 0)
            facts.durationMs = sound->frames() * 1000 / sound->format.sampleRate;
        facts.empty = sound->frames() == 0;
    } catch (const platform::Error& e) {
        facts.error = e.message();
    }
    return facts;
}

QString pictureError(const QString& realPath, platform::PictureBudget* budget) {
    const platform::SafeFile file =
        platform::SafeFile::openToRead(realPath, platform::SafeFile::pictureLimit, QString());
    QByteArray bytes;
    QString failure = file.failure();
    if (!file.isOpen() || !file.readAll(bytes, failure))
        return failure;
    try {
        platform::TJPEGImage::decode(bytes, budget, realPath);
    } catch (const platform::FileRefused& e) {
        return e.reason();
    } catch (const platform::Error& e) {
        return e.message();
    }
    return QString();
}

}  // namespace lectern::check::ContentProbe
