#pragma once

#include <QString>

namespace lectern::platform {

class Variant;

// The language tag a page gives itself: its root element's `lang`, then
// `<meta http-equiv="Content-Language">` (the first of its list); empty when
// it names none or the document cannot be read.
QString pageLanguage(const Variant& document);

}  // namespace lectern::platform
