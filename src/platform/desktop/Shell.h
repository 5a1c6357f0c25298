#pragma once

#include <QString>

namespace lectern::platform {

// The shell's "open" verb: hands a file to the program the desktop has
// registered for it. Results are not looked at; a file that cannot be
// named to another program at all raises, with the reason.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual void open(const QString& coursePath) = 0;
};

}  // namespace lectern::platform
