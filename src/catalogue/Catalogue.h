#pragma once

#include "catalogue/LessonEntries.h"
#include "platform/StringList.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace lectern::platform {
class CourseFiles;
}

namespace lectern::catalogue {

// The catalogue files of the application folder, one list each: the window
// geometry, the nine per-node lists and the start-up settings. The tree file
// and the reserved file are read from the current folder on their own.
class Catalogue {
  public:
    // In the order a load reads them. Line i of each per-node list (Types to
    // Marks) belongs to the node of absolute index i.
    enum class List {
        Layout,
        Types,
        Sounds,
        Names,
        Texts,
        Translations,
        Descriptions,
        Times,
        Captions,
        Marks,
        WindowSettings,
    };
    static constexpr std::size_t ListCount = static_cast<std::size_t>(List::WindowSettings) + 1;
    static constexpr std::array<List, 9> PerNodeLists{
        List::Types,        List::Sounds, List::Names,    List::Texts, List::Translations,
        List::Descriptions, List::Times,  List::Captions, List::Marks};

    // The file a list is read from, e.g. "zagol.mtp" for the captions.
    static const QString& fileOf(List which);
    // Every catalogue file, as a course path, for judging the course's code
    // page before any of them is decoded.
    static QStringList startupPaths(const QString& appFolder);

    // Fills one list from the course path of its file.
    using Reader =
        std::function<void(const QString& file, const QString& coursePath, platform::StringList&)>;
    // Reads every list, in their order, from appFolder + "\" + its file. What
    // `read` raises ends the load: the lists before it hold what was read,
    // the failing one and those after it are left as they were.
    void load(const QString& appFolder, const Reader& read);
    // As the player loads: the catalogue's budgets, the first failure raised.
    void load(const platform::CourseFiles& files, const QString& appFolder);

    const platform::StringList& list(List which) const { return lists_[index(which)]; }
    platform::StringList& list(List which) { return lists_[index(which)]; }

    // A node's entries, as a lesson's set-up reads them.
    LessonEntries lesson(int node, const QString& appFolder, const QString& soundRoot) const;

  private:
    static constexpr std::size_t index(List which) { return static_cast<std::size_t>(which); }

    std::array<platform::StringList, ListCount> lists_;
};

}  // namespace lectern::catalogue
