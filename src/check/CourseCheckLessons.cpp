// The lessons of the course: for each node, the files its lesson type reads
// and how they fit together.
#include "check/CourseCheck.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/LessonTypes.h"
#include "catalogue/PageIds.h"
#include "catalogue/SortingFile.h"
#include "platform/Convert.h"
#include "platform/Error.h"
#include "platform/files/CourseFiles.h"

namespace lectern::check {
namespace {

namespace Files = catalogue::CatalogueFiles;
namespace Paths = catalogue::CoursePaths;

using catalogue::LessonType;
using catalogue::lessonTypeOf;

QStringList duplicatedPassageIds(const ContentProbe::Page& page, int passages) {
    QStringList duplicated;
    for (int k = 1; k <= passages; ++k)
        for (const QString& id : {catalogue::passageId(k), catalogue::clickTargetId(k)})
            if (page.duplicated(id))
                duplicated.append(id);
    return duplicated;
}

// The ids "t" + k and "a" + k that passages 1 to passages lack on a page.
QStringList missingPassageIds(const ContentProbe::Page& page, int passages) {
    QStringList missing;
    for (int k = 1; k <= passages; ++k)
        for (const QString& id : {catalogue::passageId(k), catalogue::clickTargetId(k)})
            if (!page.has(id))
                missing.append(id);
    return missing;
}

int passageCount(const ContentProbe::Page& page) {
    int k = 0;
    while (page.has(catalogue::passageId(k + 1)))
        ++k;
    return k;
}

QString listed(const QStringList& items, int shown = 8) {
    if (items.size() <= shown)
        return items.join(QStringLiteral(", "));
    return items.mid(0, shown).join(QStringLiteral(", ")) +
           QStringLiteral(" and %1 more").arg(items.size() - shown);
}

}  // namespace

std::optional<QString> CourseCheck::entry(List which, int node) const {
    const platform::StringList& list = catalogue_.list(which);
    if (node < list.Count())
        return list[node];
    return std::nullopt;
}

void CourseCheck::checkNodes() {
    int firstRecording = -1;
    for (int node = 0; node < tree_.size(); ++node) {
        checkNode(node);
        const std::optional<QString> type = entry(List::Types, node);
        const LessonType* needs = type ? lessonTypeOf(*type) : nullptr;
        if (needs && needs->blankRecording && firstRecording < 0)
            firstRecording = node;
    }
    if (firstRecording >= 0)
        checkSound(app_ + Paths::BlankRecording, {Files::Types, firstRecording + 1},
                   QStringLiteral("blank recording"));
}

void CourseCheck::checkNode(int node) {
    const int line = node + 1;
    if (const auto page = entry(List::Descriptions, node))
        checkPage(app_ + Paths::Descriptions + *page, {Files::Descriptions, line},
                  QStringLiteral("description page"));

    const std::optional<QString> type = entry(List::Types, node);
    if (!type)
        return;
    const LessonType* needs = lessonTypeOf(*type);
    if (!needs) {
        // Chapters open nothing on purpose; anything else that opens nothing
        // is most likely a mistyped lesson type.
        const bool chapter = !tree_.children(node).empty() &&
                             (type->isEmpty() || *type == QLatin1String(catalogue::ChapterCode));
        if (!chapter) {
            QString message = QStringLiteral("type \"%1\" opens no lesson").arg(*type);
            if (lessonTypeOf(type->trimmed()) ||
                (!type->trimmed().isEmpty() &&
                 lessonTypeOf(QString::number(type->trimmed().toInt()))))
                message += QStringLiteral(
                    " (types are compared as written: no blanks, no "
                    "leading zeros)");
            warning(Files::Types, line, message);
        }
        return;
    }

    if (needs->help)
        checkFile(app_ + Paths::LessonHelp + *type + QStringLiteral(".htm"), {Files::Types, line},
                  QStringLiteral("help page"));
    if (needs->time)
        checkTime(node);

    std::optional<QString> text, translation, sound;
    if (needs->text) {
        if (const auto name = entry(List::Texts, node))
            text = checkPage(app_ + Paths::Texts + *name, {Files::Texts, line},
                             QStringLiteral("lesson page"));
    } else if (const auto name = entry(List::Texts, node)) {
        checkSortingFile(node, app_ + Paths::Texts + *name);
    }
    if (needs->translation)
        if (const auto name = entry(List::Translations, node))
            translation = checkPage(app_ + Paths::Texts + *name, {Files::Translations, line},
                                    QStringLiteral("translation page"));
    if (needs->sound)
        if (const auto name = entry(List::Sounds, node))
            sound = checkSound(app_ + QLatin1Char('\\') + Paths::Sounds + *name,
                               {Files::Sounds, line}, QStringLiteral("lesson sound"));
    if (needs->kind == catalogue::LessonKind::ChoiceTest && text)
        checkTestPage(*text);
    if (!needs->marks)
        return;
    const std::optional<QString> marksName = entry(List::Marks, node);
    if (!marksName)
        return;
    const QString marksPath = app_ + Paths::Marks + *marksName;
    const std::optional<Marks> marks =
        readMarks(marksPath, {Files::Marks, line}, QStringLiteral("marks file"));
    if (!marks)
        return;
    if (text)
        checkMarksAgainstPage(marksPath, *text);
    if (translation)
        checkMarksAgainstPage(marksPath, *translation);
    if (sound) {
        const auto facts = sounds_facts_.find(*sound);
        if (facts == sounds_facts_.end() || !facts->second.error.isEmpty())
            return;
        const QString pair = marksPath + QLatin1Char('\n') + *sound;
        if (checkedPairs_.contains(pair))
            return;
        checkedPairs_.insert(pair);
        const qint64 duration = facts->second.durationMs;
        for (size_t i = 0; i < marks->size(); ++i) {
            if ((*marks)[i] && *(*marks)[i] > duration) {
                problem(displayPath(marksPath), static_cast<int>(i) + 1,
                        QStringLiteral("mark %1 runs past the end of %2 (%3 ms)")
                            .arg(*(*marks)[i])
                            .arg(displayPath(*sound))
                            .arg(duration));
                break;
            }
        }
    }
}

void CourseCheck::checkMarksAgainstPage(const QString& marksPath, const QString& pagePath) {
    const auto page = pages_.find(pagePath);
    const auto marks = marksFiles_.find(platform::CourseFiles::nativePath(marksPath));
    if (page == pages_.end() || !page->second.error.isEmpty() || marks == marksFiles_.end() ||
        !marks->second)
        return;
    const QString pair = marksPath + QLatin1Char('\n') + pagePath;
    if (checkedPairs_.contains(pair))
        return;
    checkedPairs_.insert(pair);
    const int count = static_cast<int>(marks->second->size());
    const QString shownPage = displayPath(pagePath);
    const QString shownMarks = displayPath(marksPath);
    const QStringList missing = missingPassageIds(page->second, count);
    if (const QStringList duplicated = duplicatedPassageIds(page->second, count);
        !duplicated.isEmpty())
        problem(shownPage, 0,
                QStringLiteral("several elements have the id %1").arg(listed(duplicated)));
    if (!missing.isEmpty())
        problem(shownPage, 0,
                QStringLiteral("lacks %1, needed for the %2 marks of %3")
                    .arg(listed(missing))
                    .arg(count)
                    .arg(shownMarks));
    if (const int passages = passageCount(page->second); passages > count)
        problem(shownPage, 0,
                QStringLiteral("has %1 passages, but %2 has %3 marks")
                    .arg(passages)
                    .arg(shownMarks)
                    .arg(count));
}

void CourseCheck::checkTestPage(const QString& pagePath) {
    const auto page = pages_.find(pagePath);
    if (page == pages_.end() || !page->second.error.isEmpty())
        return;
    if (checkedPairs_.contains(pagePath))
        return;
    checkedPairs_.insert(pagePath);
    const ContentProbe::Page& facts = page->second;
    const int inputs = facts.inputCount();
    const QString shown = displayPath(pagePath);
    // The check looks at q1, q2, ... up to the number of inputs and stops at
    // the first that is missing.
    for (int j = 1; j <= inputs; ++j) {
        const QString id = catalogue::testInputId(j);
        if (!facts.has(id)) {
            problem(shown, 0,
                    QStringLiteral("the inputs skip %1: of its %2 inputs, the test checks only "
                                   "those before")
                        .arg(id)
                        .arg(inputs));
            return;
        }
        if (facts.duplicated(id))
            problem(shown, 0, QStringLiteral("several elements have the id %1").arg(id));
        else if (!facts.hasAttribute(id, QStringLiteral("rtype")))
            problem(shown, 0, QStringLiteral("input %1 has no rtype").arg(id));
    }
}

void CourseCheck::checkSortingFile(int node, const QString& path) {
    platform::StringList lines;
    const std::optional<QString> real =
        checkText(path, {Files::Texts, node + 1}, QStringLiteral("sorting file"), lines);
    if (!real || checkedPairs_.contains(*real))
        return;
    checkedPairs_.insert(*real);
    const QString shown = displayPath(*real);
    if (lines.Count() == 0) {
        warning(shown, 0, QStringLiteral("holds nothing to sort"));
        return;
    }
    // The offered items, and those expected in the right-hand list and in
    // the middle one, each once a group, with their lines.
    const catalogue::SortingFile groups = catalogue::SortingFile::fromLines(lines.lines());
    if (groups.firstDroppedLine >= 0)
        warning(shown, groups.firstDroppedLine + 1,
                QStringLiteral("lines past the third group are never shown"));
    QHash<QString, int> offered;
    for (const QString& item : groups.group(catalogue::SortingFile::Offered))
        ++offered[item.toCaseFolded()];
    std::vector<std::pair<QString, int>> expected;  // folded item, line
    for (const auto g : {catalogue::SortingFile::Right, catalogue::SortingFile::Middle}) {
        QSet<QString> expectedInGroup;
        const int first = groups.firstLineOf(g);
        const QStringList& items = groups.group(g);
        for (int i = 0; i < items.size(); ++i) {
            const QString item = items[i].toCaseFolded();
            if (!expectedInGroup.contains(item)) {
                expectedInGroup.insert(item);
                expected.emplace_back(item, first + i + 1);
            }
        }
    }
    // The boxes are compared with their groups without regard to case and
    // by presence: each item expected in a box needs one offered copy.
    QSet<QString> counted;
    for (const auto& [item, line] : expected) {
        if (offered.value(item) > 0) {
            --offered[item];
            continue;
        }
        if (!counted.contains(item))
            problem(shown, line,
                    item.isEmpty()
                        ? QStringLiteral("expects one more empty row than the offered items hold: "
                                         "the exercise can never be done without errors")
                        : QStringLiteral("expects \"%1\", which is not among the offered items: "
                                         "the exercise can never be done without errors")
                              .arg(lines[line - 1]));
        counted.insert(item);
    }
}

void CourseCheck::checkTime(int node) {
    const std::optional<QString> time = entry(List::Times, node);
    if (!time)
        return;
    try {
        platform::StrToInt(*time);
    } catch (const platform::Error& e) {
        problem(Files::Times, node + 1, e.message());
    }
}

}  // namespace lectern::check
