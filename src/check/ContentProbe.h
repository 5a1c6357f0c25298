#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lectern::check {

// What the course checker learns from the content of pages, sounds and
// pictures, read by the player's own readers. A reader this build lacks
// gives no answer (std::nullopt): the file is then only checked to exist.
namespace ContentProbe {

struct Page {
    QString error;  // the reason the page cannot be read; empty when it can
    QSet<QString> ids;
    QStringList duplicatedIds;
    struct Input {
        QString id;  // empty for an input without one
        bool hasRtype = false;
    };
    std::vector<Input> inputs;  // in document order
};
std::optional<Page> page(const QString& realPath);

struct Sound {
    QString error;
    qint64 durationMs = 0;
};
std::optional<Sound> sound(const QString& realPath);

// The reason a picture cannot be shown; empty when it can.
std::optional<QString> pictureError(const QString& realPath);

}  // namespace ContentProbe

}  // namespace lectern::check
