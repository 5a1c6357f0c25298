#pragma once

#include "platform/desktop/Shell.h"

namespace lectern::platform {

class CourseFiles;

class DesktopShell : public Shell {
  public:
    explicit DesktopShell(const CourseFiles& files) : files_(files) {}
    void open(const QString& coursePath) override;

  private:
    const CourseFiles& files_;
};

}  // namespace lectern::platform
