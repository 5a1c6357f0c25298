#pragma once

#include <QString>

namespace lectern::platform {

// A page's markup made safe to keep and to open later in any browser: it
// runs nothing and reaches nothing outside itself. Scripts, frames, plug-ins,
// links, bases and meta elements go with their content; attributes outside a
// list of harmless ones go (every on... handler, every address); elements
// outside a list of harmless ones give way to their content; style text
// keeps only what fetches nothing. Text, input values and ticks stay as they
// are. The head starts with a UTF-8 declaration and a content security
// policy that allows nothing but inline style. Like the markup it is given,
// the result is what the root element holds, without the root itself.
QString inertPage(const QString& markup);

}  // namespace lectern::platform
