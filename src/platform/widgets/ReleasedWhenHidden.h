#pragma once

namespace lectern::platform {

// What a window holds only while it is shown (a page in its renderer, an
// open sound): a window being hidden gives back every child of this kind.
// Each comes back by itself when it is used again.
class ReleasedWhenHidden {
  public:
    virtual void releaseWhenHidden() = 0;

  protected:
    ~ReleasedWhenHidden() = default;
};

}  // namespace lectern::platform
