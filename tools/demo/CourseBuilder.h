#pragma once

#include "demo/Course.h"
#include "demo/CourseFolder.h"

namespace lectern::demo {

// Writes a whole course folder: catalogue, skin, pages, sounds and help.
class CourseBuilder {
  public:
    CourseBuilder(Course course, CourseFolder folder);

    void build() const;

  private:
    void writeCatalogue() const;
    void writeSkin() const;
    void writeDescriptions() const;
    void writeLessons() const;
    void writeTests() const;
    void writeSorting() const;
    void writeSounds() const;
    void writeHelp() const;

    Course course_;
    CourseFolder folder_;
};

}  // namespace lectern::demo
