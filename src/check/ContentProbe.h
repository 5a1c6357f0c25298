#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace lectern::platform {
class DocumentModel;
class PictureBudget;
class TextDecoding;
}  // namespace lectern::platform

namespace lectern::check {

// What the course checker learns from the content of pages, sounds and
// pictures, read by the player's own readers.
namespace ContentProbe {

// A page as the player's document model reads it.
struct Page {
    QString error;  // the reason the page cannot be read; empty when it can
    std::shared_ptr<platform::DocumentModel> document;

    bool has(const QString& id) const;
    // Several elements carry the id: the player's lookups fail on it.
    bool duplicated(const QString& id) const;
    // Whether the (first) element of that id carries the attribute.
    bool hasAttribute(const QString& id, const QString& attribute) const;
    // The number of input elements of the page.
    int inputCount() const;
    // The files the page loads with it (pictures, style sheets, scripts,
    // sounds), as its markup names them: kind and address.
    struct Resource {
        QString kind;
        QString address;
    };
    std::vector<Resource> resources() const;
};
Page page(const QString& realPath, const platform::TextDecoding& decoding);

struct Sound {
    QString error;
    qint64 durationMs = 0;
    bool empty = false;  // no sample at all
};
Sound sound(const QString& realPath);

// The reason a picture cannot be shown; empty when it can. With a budget,
// the picture is charged to it as the player charges the skin and splash.
QString pictureError(const QString& realPath, platform::PictureBudget* budget = nullptr);

}  // namespace ContentProbe

}  // namespace lectern::check
