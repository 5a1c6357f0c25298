// The catalogue part of the course check: the files start-up reads, the
// geometry, the tree and the start-up settings.
#include "check/CourseCheck.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/WindowSettingsLine.h"
#include "platform/Convert.h"
#include "platform/Error.h"
#include "platform/files/CourseFiles.h"
#include "platform/files/FileRefused.h"
#include "platform/files/SafeFile.h"

namespace lectern::check {
namespace {

namespace Files = catalogue::CatalogueFiles;
namespace Paths = catalogue::CoursePaths;

// "main.dsg" lines that start-up converts; 2 and 5 are not used.
// The player's own limits: the tree file's depth costs a tab a level.
qint64 limitOf(const QString& list) {
    return list == Files::Tree ? platform::SafeFile::treeLimit : platform::SafeFile::listLimit;
}

bool isUsedLayoutLine(int line) {
    return line != 2 && line != 5;
}

}  // namespace

CourseCheck::CourseCheck(platform::CourseFiles& files) : files_(files) {}

CheckReport CourseCheck::run() {
    app_ = files_.currentFolder();
    files_.setCourseFolder(app_);
    report_.codePage = platform::TextDecoding::displayName(
        files_.detectCodePage(catalogue::Catalogue::startupPaths(app_), Files::Budget));
    readCatalogue();
    checkLayout();
    buildTree();
    checkPerNodeLengths();
    checkWindowSettings();
    checkSkin();
    checkFile(app_ + Paths::Help, {}, QStringLiteral("help page"));
    checkNodes();
    return report_;
}

void CourseCheck::problem(const QString& file, int line, const QString& message) {
    report_.findings.push_back({Finding::Problem, file, line, message});
}

void CourseCheck::warning(const QString& file, int line, const QString& message) {
    report_.findings.push_back({Finding::Warning, file, line, message});
}

QString CourseCheck::displayPath(const QString& coursePath) const {
    const QString native = platform::CourseFiles::nativePath(coursePath);
    const QString prefix = app_ + QLatin1Char('/');
    return native.startsWith(prefix) ? native.mid(prefix.size()) : native;
}

void CourseCheck::reportDecoding(const QString& file,
                                 const platform::TextDecoding::Report& decoding) {
    const QString codePage = report_.codePage;
    if (decoding.form == platform::TextDecoding::Report::Mixed)
        warning(file, decoding.firstUtf8Line,
                QStringLiteral("UTF-8 lines mixed with %1 lines (the first at line %2); each "
                               "line is read in its own form")
                    .arg(codePage)
                    .arg(decoding.firstLegacyLine));
    constexpr int kShown = 5;
    const QList<int>& bad = decoding.undefinedByteLines;
    for (int i = 0; i < std::min<int>(static_cast<int>(bad.size()), kShown); ++i)
        problem(file, bad[i],
                QStringLiteral("bytes that are text neither in UTF-8 nor in %1").arg(codePage));
    if (bad.size() > kShown)
        problem(file, bad[kShown],
                QStringLiteral("and %1 more lines with such bytes").arg(bad.size() - kShown));
}

bool CourseCheck::readList(const QString& name, const QString& coursePath,
                           platform::StringList& list) {
    const platform::PathResolver::Result found = files_.lookup(coursePath);
    if (!found.found()) {
        problem(name, 0, QStringLiteral("missing: the course cannot start without it"));
        return false;
    }
    if (found.legacyName)
        warning(name, 0, legacyNameNote(report_.codePage));
    else if (found.caseDiffers)
        warning(name, 0,
                QStringLiteral("found only as \"%1\": the letter case differs (works here, not "
                               "on a case-sensitive web server)")
                    .arg(displayPath(found.path)));
    platform::TextDecoding::Report decoding;
    try {
        list = platform::StringList(platform::StringList::splitLines(
            files_.readText(coursePath, &decoding, limitOf(name), Files::Budget)));
    } catch (const platform::FileRefused& refused) {
        // A FIFO, a device, a link out of the course, a huge file or too
        // many lines: the player refuses it at start-up, so the reason is
        // what helps.
        problem(name, 0,
                refused.reason().isEmpty()
                    ? QStringLiteral("cannot be read")
                    : QStringLiteral("cannot be read: %1").arg(refused.reason()));
        return false;
    } catch (const platform::Error&) {
        problem(name, 0, QStringLiteral("cannot be read"));
        return false;
    }
    reportDecoding(name, decoding);
    readCatalogueFiles_.insert(name);
    return true;
}

void CourseCheck::readCatalogue() {
    catalogue_.load(app_, [this](const QString& file, const QString& coursePath,
                                 platform::StringList& list) { readList(file, coursePath, list); });
    readList(Files::Tree, Files::Tree, treeLines_);
    readList(Files::Reserved, Files::Reserved, reserved_);
}

void CourseCheck::checkLayout() {
    if (!readCatalogueFiles_.contains(Files::Layout))
        return;
    const platform::StringList& layout = catalogue_.list(List::Layout);
    constexpr int kLines = 60;
    if (layout.Count() < kLines)
        problem(Files::Layout, 0,
                QStringLiteral("%1 lines; the window geometry needs %2")
                    .arg(layout.Count())
                    .arg(kLines));
    for (int line = 0; line < std::min(kLines, layout.Count()); ++line) {
        if (!isUsedLayoutLine(line))
            continue;
        try {
            platform::StrToInt(layout[line]);
        } catch (const platform::Error& e) {
            problem(Files::Layout, line + 1, e.message());
        }
    }
}

void CourseCheck::buildTree() {
    if (!readCatalogueFiles_.contains(Files::Tree))
        return;
    QString error;
    tree_ = catalogue::LessonTree::fromLines(treeLines_.lines(), &error);
    if (!error.isEmpty())
        problem(Files::Tree, tree_.size() + 1, error);
    for (int node = 0; node < tree_.size(); ++node)
        report_.tree.push_back({node, tree_.node(node).depth,
                                entry(List::Types, node).value_or(QString()),
                                tree_.node(node).caption});
}

void CourseCheck::checkPerNodeLengths() {
    for (const List which : catalogue::Catalogue::PerNodeLists) {
        const QString& name = catalogue::Catalogue::fileOf(which);
        const platform::StringList& list = catalogue_.list(which);
        if (!readCatalogueFiles_.contains(name) || list.Count() >= tree_.size())
            continue;
        const QString message = QStringLiteral(
                                    "%1 lines for %2 lesson nodes: node %1 and those "
                                    "after it have no line here")
                                    .arg(list.Count())
                                    .arg(tree_.size());
        // Nothing reads the names: a short file only breaks the numbering.
        if (which == List::Names)
            warning(name, 0, message);
        else
            problem(name, 0, message);
    }
}

void CourseCheck::checkWindowSettings() {
    if (!readCatalogueFiles_.contains(Files::WindowSettings))
        return;
    const platform::StringList& settings = catalogue_.list(List::WindowSettings);
    const QString& file = Files::WindowSettings;
    constexpr int kLines = 9;
    if (settings.Count() < kLines)
        problem(file, 0,
                QStringLiteral("%1 lines; the start-up settings need %2")
                    .arg(settings.Count())
                    .arg(kLines));
    bool splash = false;
    for (const int line :
         {catalogue::ShowSplash, catalogue::ShowIntroduction, catalogue::ShowAbout}) {
        if (line >= settings.Count())
            continue;
        try {
            const bool on = platform::StrToBool(settings[line]);
            if (line == catalogue::ShowSplash)
                splash = on;
        } catch (const platform::Error& e) {
            problem(file, line + 1, e.message());
        }
    }
    const QString descr = app_ + Paths::Descriptions;
    if (settings.Count() > catalogue::SplashPicture)
        checkPicture(descr + settings[catalogue::SplashPicture],
                     {file, catalogue::SplashPicture + 1}, QStringLiteral("splash picture"));
    if (settings.Count() > catalogue::IntroductionPage)
        checkPage(descr + settings[catalogue::IntroductionPage],
                  {file, catalogue::IntroductionPage + 1}, QStringLiteral("introduction page"));
    if (settings.Count() > catalogue::AboutPage)
        checkPage(descr + settings[catalogue::AboutPage], {file, catalogue::AboutPage + 1},
                  QStringLiteral("about page"));
    if (splash)
        checkSound(app_ + Paths::IntroSound, {file, catalogue::ShowSplash + 1},
                   QStringLiteral("intro sound"));
}

}  // namespace lectern::check
