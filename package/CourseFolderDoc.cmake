# cmake -DREADME=<README.md> -DOUTPUT=<file> -P CourseFolderDoc.cmake
# Copies the README's description of a course folder, from its heading to
# the next heading of the same level, into a document of its own.
file(READ "${README}" text)
string(FIND "${text}" "\n## What a course folder holds\n" start)
if(start LESS 0)
  message(FATAL_ERROR "${README} has no section \"What a course folder holds\"")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${text}" ${start} -1 section)
string(FIND "${section}" "\n## " end)
if(end GREATER 0)
  string(SUBSTRING "${section}" 0 ${end} section)
endif()
string(REGEX REPLACE "^## " "# " section "${section}")
file(WRITE "${OUTPUT}" "${section}\n")
