#pragma once

#include "platform/StringList.h"

namespace lectern::catalogue {

// The geometry file "main.dsg": sixty integer lines. Each read converts
// its line, so a bad line fails where it is used.
class Layout {
  public:
    explicit Layout(const platform::StringList& lines) : lines_(lines) {}

    // Line n as an integer; raises the list's or the conversion's error.
    int operator[](int line) const;

    // A button block: width, height, top, left from four lines.
    struct Bounds {
        int width, height, top, left;
    };
    Bounds button(int firstLine) const;

  private:
    const platform::StringList& lines_;
};

}  // namespace lectern::catalogue
