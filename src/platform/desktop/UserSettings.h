#pragma once

#include <QSettings>

namespace lectern::platform {

// The learner's remembered choices (the last course, the narration speed
// per course), all in the one store the program keeps for its user.
inline QSettings userSettings() {
    return QSettings(QStringLiteral("Lectern"), QStringLiteral("lectern"));
}

}  // namespace lectern::platform
