#pragma once

#include "support/Cp1251.h"

#include <QByteArray>
#include <QString>

namespace lectern::test {

class CourseFolder;

// Turns a copy of the "basic" course into one as it comes from a Windows
// machine: Russian captions in Windows-1251, line ends of every kind, file
// and folder names whose letter case differs from the catalogue's entries,
// a description page whose name is kept in Windows-1251 bytes, a lesson
// page in a sub-folder written in Windows-1251 with its meta charset, and
// the narration the reading lesson needs.
void makeWindowsStyle(const CourseFolder& course);

}  // namespace lectern::test
