#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueFiles.h"
#include "platform/files/CourseFiles.h"
#include "platform/files/SafeFile.h"

namespace lectern::catalogue {
namespace {

namespace Files = CatalogueFiles;

QString inFolder(const QString& appFolder, const QString& file) {
    return appFolder + QLatin1Char('\\') + file;
}

}  // namespace

const QString& Catalogue::fileOf(List which) {
    // Indexed by List.
    static const std::array<const QString*, ListCount> files{
        &Files::Layout,   &Files::Types,        &Files::Sounds,        &Files::Names,
        &Files::Texts,    &Files::Translations, &Files::Descriptions,  &Files::Times,
        &Files::Captions, &Files::Marks,        &Files::WindowSettings};
    return *files[index(which)];
}

QStringList Catalogue::startupPaths(const QString& appFolder) {
    // The tree and the reserved file first and the geometry last, as the
    // code page has always been judged from them.
    QStringList paths{Files::Tree, Files::Reserved};
    for (const List which : PerNodeLists)
        paths.append(inFolder(appFolder, fileOf(which)));
    paths.append(inFolder(appFolder, Files::WindowSettings));
    paths.append(inFolder(appFolder, Files::Layout));
    return paths;
}

void Catalogue::load(const QString& appFolder, const Reader& read) {
    for (std::size_t i = 0; i < ListCount; ++i) {
        const QString& file = fileOf(static_cast<List>(i));
        read(file, inFolder(appFolder, file), lists_[i]);
    }
}

void Catalogue::load(const platform::CourseFiles& files, const QString& appFolder) {
    load(appFolder,
         [&files](const QString&, const QString& coursePath, platform::StringList& list) {
             list.LoadFromFile(files, coursePath, platform::SafeFile::listLimit, Files::Budget);
         });
}

LessonEntries Catalogue::lesson(int node, const QString& appFolder,
                                const QString& soundRoot) const {
    return LessonEntries({list(List::Captions), list(List::Texts), list(List::Translations),
                          list(List::Marks), list(List::Sounds), list(List::Times)},
                         node, appFolder, soundRoot);
}

}  // namespace lectern::catalogue
