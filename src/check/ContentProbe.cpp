#include "check/ContentProbe.h"

namespace lectern::check::ContentProbe {

std::optional<Page> page(const QString&) {
    return std::nullopt;
}

std::optional<Sound> sound(const QString&) {
    return std::nullopt;
}

std::optional<QString> pictureError(const QString&) {
    return std::nullopt;
}

}  // namespace lectern::check::ContentProbe
