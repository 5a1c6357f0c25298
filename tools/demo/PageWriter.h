#pragma once

#include "demo/Course.h"

#include <QString>

namespace lectern::demo {

// Builds the HTML of the course's pages. Lesson pages follow the player's
// markup: passage k is the element "t"+k of class "text" or "comm", preceded
// by its click target "a"+k; test inputs are "q"+j with the attributes rtype
// and name, each with its feedback element "f"+j.
class PageWriter {
  public:
    // root: the relative way from the page's folder up to "data\text" (or
    // "data\descr"), for the style sheet.
    static QString lessonPage(const Reading& reading, bool translation, const QString& root);
    static QString choiceTestPage(const ChoiceTest& test);
    static QString writtenTestPage(const WrittenTest& test);
    static QString descriptionPage(const Description& description, const QString& picture);
    static QString helpPage(const QString& title, const QStringList& paragraphs);

    static QString lessonStyle();
    static QString testStyle();
    static QString descriptionStyle();
};

}  // namespace lectern::demo
