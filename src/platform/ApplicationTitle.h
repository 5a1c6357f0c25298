#pragma once

#include <QString>

namespace lectern::platform {

// The application's title: the caption of the standard error box and of
// plain message boxes.
inline QString applicationTitle() {
    return QStringLiteral("Lectern");
}

}  // namespace lectern::platform
