#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/LessonTree.h"
#include "check/CheckReport.h"
#include "check/ContentProbe.h"
#include "platform/StringList.h"
#include "platform/files/TextDecoding.h"
#include "platform/jpeg/PictureBudget.h"
#include "platform/jpeg/TJPEGImage.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>
#include <map>
#include <optional>

namespace lectern::platform {
class CourseFiles;
}

namespace lectern::check {

// Loads a course the way the player does, from the course folder that is
// the current folder, but goes on past the first problem and tells every
// one with the file and line it comes from.
class CourseCheck {
  public:
    explicit CourseCheck(platform::CourseFiles& files);

    CheckReport run();

  private:
    // Catalogue.
    using List = catalogue::Catalogue::List;
    void readCatalogue();
    bool readList(const QString& name, const QString& coursePath, platform::StringList& list);
    void checkLayout();
    void buildTree();
    void checkWindowSettings();
    void checkPerNodeLengths();

    // Lessons.
    void checkNodes();
    void checkNode(int node);
    // The entry of a per-node list at a node, or nullopt (its shortness is
    // reported once, elsewhere).
    std::optional<QString> entry(List list, int node) const;
    void checkMarksAgainstPage(const QString& marksPath, const QString& pagePath);
    void checkTestPage(const QString& pagePath);
    void checkSortingFile(int node, const QString& path);
    void checkTime(int node);

    // Files the catalogue names.
    struct Reference {
        QString file;  // the catalogue file and line that name it
        int line = 0;
    };
    // Checks that the course path names a readable file and reports how it
    // was found; gives its real path, or nothing when it is missing.
    std::optional<QString> checkFile(const QString& coursePath, const Reference& from,
                                     const QString& what);
    std::optional<QString> checkPage(const QString& coursePath, const Reference& from,
                                     const QString& what);
    std::optional<QString> checkSound(const QString& coursePath, const Reference& from,
                                      const QString& what);
    std::optional<QString> checkPicture(const QString& coursePath, const Reference& from,
                                        const QString& what);
    std::optional<QString> checkText(const QString& coursePath, const Reference& from,
                                     const QString& what, platform::StringList& lines);
    void checkSkin();
    // The pictures, style sheets and scripts a page loads with it.
    void checkPageResources(const QString& pagePath, const ContentProbe::Page& page);
    void reportCaseDifferences(
        const QString& written, const QString& real,
        const std::function<void(Finding::Severity, const QString&)>& report);
    // About a name found only by its bytes in the course's code page.
    static QString legacyNameNote(const QString& codePage);
    // The marks of a file, one a line, each empty when its line is not an
    // integer; nullopt when the file cannot be read.
    using Marks = std::vector<std::optional<qint64>>;
    std::optional<Marks> readMarks(const QString& coursePath, const Reference& from,
                                   const QString& what);

    QString displayPath(const QString& coursePath) const;
    void problem(const QString& file, int line, const QString& message);
    void warning(const QString& file, int line, const QString& message);
    void reportDecoding(const QString& file, const platform::TextDecoding::Report& report);

    platform::CourseFiles& files_;
    QString app_;
    CheckReport report_;
    catalogue::LessonTree tree_;

    catalogue::Catalogue catalogue_;
    platform::StringList treeLines_, reserved_;
    QSet<QString> readCatalogueFiles_;

    // Each file is checked once however many nodes name it.
    QHash<QString, std::optional<QString>> checkedFiles_;
    std::map<QString, ContentProbe::Page> pages_;
    std::map<QString, ContentProbe::Sound> sounds_facts_;
    std::map<QString, std::optional<Marks>> marksFiles_;
    // Pairs of files (and single files) whose fit was already told.
    QSet<QString> checkedPairs_;
    QSet<QString> folderCaseWarned_;
    // The skin and the splash together, as the player charges them.
    platform::PictureBudget pictures_{4 * platform::TJPEGImage::MaxPixels};
};

}  // namespace lectern::check
