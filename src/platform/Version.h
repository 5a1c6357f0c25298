#pragma once

#include <QString>

namespace lectern::platform {

// The release of this build, as the build files number it ("0.1").
QString productVersion();

}  // namespace lectern::platform
