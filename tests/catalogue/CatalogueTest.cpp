#include "catalogue/Catalogue.h"
#include "platform/Error.h"
#include "platform/files/CourseFiles.h"
#include "support/CourseFolder.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

using namespace lectern;
using catalogue::Catalogue;
using List = Catalogue::List;

namespace {

std::vector<List> allLists() {
    std::vector<List> lists;
    for (std::size_t i = 0; i < Catalogue::ListCount; ++i)
        lists.push_back(static_cast<List>(i));
    return lists;
}

// Every list's file holds one line: prefix + the file's name.
void writeEachFile(const test::CourseFolder& course, const QString& prefix) {
    for (const List which : allLists())
        course.writeLines(Catalogue::fileOf(which), {prefix + Catalogue::fileOf(which)});
}

}  // namespace

TEST(Catalogue, EachListHoldsItsOwnFileAndAFailureLeavesTheListsFromItOnAsTheyWere) {
    test::CourseFolder course;
    platform::CourseFiles files;
    Catalogue catalogue;
    writeEachFile(course, "first ");
    catalogue.load(files, course.path());
    for (const List which : allLists())
        EXPECT_EQ(catalogue.list(which).lines(), QStringList{"first " + Catalogue::fileOf(which)})
            << Catalogue::fileOf(which).toStdString();

    writeEachFile(course, "second ");
    course.remove("zagol.mtp");
    EXPECT_EQ(test::errorOf([&] { catalogue.load(files, course.path()); }),
              "Cannot open file " + course.path() + "/zagol.mtp");
    for (const List which : allLists()) {
        const bool readAgain = which < List::Captions;
        EXPECT_EQ(catalogue.list(which)[0].startsWith("second "), readAgain)
            << Catalogue::fileOf(which).toStdString();
    }
}
