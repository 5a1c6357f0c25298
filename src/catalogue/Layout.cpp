#include "catalogue/Layout.h"

#include "platform/Convert.h"

namespace lectern::catalogue {

int Layout::operator[](int line) const {
    return platform::StrToInt(lines_.Strings(line));
}

Layout::Bounds Layout::button(int firstLine) const {
    const int width = (*this)[firstLine];
    const int height = (*this)[firstLine + 1];
    const int top = (*this)[firstLine + 2];
    const int left = (*this)[firstLine + 3];
    return {width, height, top, left};
}

}  // namespace lectern::catalogue
