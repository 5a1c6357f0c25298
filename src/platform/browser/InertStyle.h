#pragma once

#include <QString>

namespace lectern::platform {

// Style sheet text (a style element's or a style attribute's) that fetches
// nothing: comments go, every function that names a resource (url(),
// image-set(), src()...) becomes "none" and every @import rule goes. Text
// with a backslash escape or a '<' cannot be told safely from what a browser
// reads in it and gives an empty string, as does text left with nothing.
QString inertStyle(const QString& css);

}  // namespace lectern::platform
