#include "demo/PageWriter.h"

namespace lectern::demo {

namespace {

QString head(const QString& title, const QString& styleSheet) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           title.toHtmlEscaped() + "</title>\n<link rel=\"stylesheet\" href=\"" + styleSheet +
           "\">\n</head>\n";
}

// A head that carries its own style, for pages read outside the course.
QString headWithStyle(const QString& title, const QString& style) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           title.toHtmlEscaped() + "</title>\n<style>\n" + style + "</style>\n</head>\n";
}

// The player clicks "a"+k on every tick while passage k is current; the page
// answers by scrolling that passage into view when it becomes current,
// without navigating anywhere. (A smooth scroll started on every tick would
// redraw the page four times a second for nothing.)
const char* const kScrollScript =
    "<script>\n"
    "var shownAnchor = null;\n"
    "document.addEventListener('click', function (event) {\n"
    "  var id = event.target && event.target.id;\n"
    "  if (!id || !/^a[0-9]+$/.test(id) || id === shownAnchor) return;\n"
    "  shownAnchor = id;\n"
    "  var passage = document.getElementById('t' + id.substring(1));\n"
    "  if (passage && passage.scrollIntoView)\n"
    "    passage.scrollIntoView({block: 'nearest', behavior: 'smooth'});\n"
    "});\n"
    "</script>\n";

// A saved page is the document's markup, which does not hold what was typed
// into a field: copy every answer into the markup as it is typed.
const char* const kKeepAnswersScript =
    "<script>\n"
    "document.addEventListener('input', function (event) {\n"
    "  var field = event.target;\n"
    "  if (field.tagName === 'TEXTAREA') field.textContent = field.value;\n"
    "  else if (field.tagName === 'INPUT') field.setAttribute('value', field.value);\n"
    "});\n"
    "</script>\n";

}  // namespace

QString PageWriter::lessonPage(const Reading& reading, bool translation, const QString& root) {
    const QString title = translation ? reading.translationTitle : reading.title;
    QString html = head(title, root + "lesson.css");
    html += "<body>\n<h1>" + title.toHtmlEscaped() + "</h1>\n";
    bool open = false;
    for (int i = 0; i < reading.passages.size(); ++i) {
        const Passage& passage = reading.passages[i];
        const QString k = QString::number(i + 1);
        const QString text = (translation ? passage.translation : passage.text).toHtmlEscaped();
        const QString anchor = "<a id=\"a" + k + "\" class=\"anchor\"></a>";
        if (passage.commentary) {
            // A commentary stands apart, as a block of its own.
            if (open) {
                html += "</p>\n";
                open = false;
            }
            html += anchor + "<div id=\"t" + k + "\" class=\"comm\">" + text + "</div>\n";
            continue;
        }
        if (passage.newParagraph && open) {
            html += "</p>\n";
            open = false;
        }
        html += open ? QString("\n") : QString("<p>");
        open = true;
        html += anchor + "<span id=\"t" + k + "\" class=\"text\">" + text + "</span>";
    }
    if (open) {
        html += "</p>\n";
    }
    html += kScrollScript;
    html += "</body>\n</html>\n";
    return html;
}

QString PageWriter::choiceTestPage(const ChoiceTest& test) {
    QString html = head(test.title, "test.css");
    html += "<body>\n<h1>" + test.title.toHtmlEscaped() + "</h1>\n<p class=\"intro\">" +
            test.intro.toHtmlEscaped() + "</p>\n<ol class=\"questions\">\n";
    int j = 0;
    for (int q = 0; q < test.questions.size(); ++q) {
        const Question& question = test.questions[q];
        const QString name = "question" + QString::number(q + 1);
        html += "<li>\n<p class=\"prompt\">" + question.prompt.toHtmlEscaped() + "</p>\n";
        for (const Option& option : question.options) {
            const QString id = QString::number(++j);
            const QString feedback =
                option.feedback.isEmpty() ? QString("Not this one.") : option.feedback;
            html += QString(
                        "<label><input type=\"%1\" id=\"q%2\" name=\"%3\" rtype=\"%4\"> %5"
                        "</label> <span id=\"f%2\" class=\"text\">&#10007; %6</span><br>\n")
                        .arg(question.severalRight ? "checkbox" : "radio", id, name,
                             option.right ? "1" : "0", option.text.toHtmlEscaped(),
                             feedback.toHtmlEscaped());
        }
        html += "</li>\n";
    }
    html += "</ol>\n</body>\n</html>\n";
    return html;
}

QString PageWriter::writtenTestPage(const WrittenTest& test) {
    // The learner saves this page wherever they like, so it carries its style.
    QString html = headWithStyle(test.title, testStyle());
    html += "<body>\n<h1>" + test.title.toHtmlEscaped() + "</h1>\n<p class=\"intro\">" +
            test.intro.toHtmlEscaped() + "</p>\n<ol class=\"questions\">\n";
    // Each answer field is named by its question, for screen readers.
    int n = 0;
    const auto question = [&](const QString& prompt, const QString& field) {
        const QString id = "prompt" + QString::number(++n);
        html += "<li><p class=\"prompt\" id=\"" + id + "\">" + prompt.toHtmlEscaped() + "</p>" +
                field.arg(" aria-labelledby=\"" + id + "\"") + "</li>\n";
    };
    for (const QString& prompt : test.shortAnswers)
        question(prompt, "<input type=\"text\" class=\"answer\" size=\"40\"%1>");
    for (const QString& prompt : test.longAnswers)
        question(prompt, "<textarea class=\"answer\" rows=\"4\" cols=\"60\"%1></textarea>");
    html += "</ol>\n";
    html += kKeepAnswersScript;
    html += "</body>\n</html>\n";
    return html;
}

QString PageWriter::descriptionPage(const Description& description, const QString& picture) {
    QString html = head(description.title, "descr.css");
    html += "<body>\n<img class=\"banner\" src=\"" + picture + "\" alt=\"\">\n<h1>" +
            description.title.toHtmlEscaped() + "</h1>\n";
    for (const QString& paragraph : description.paragraphs) {
        html += "<p>" + paragraph + "</p>\n";
    }
    if (!description.howTo.isEmpty()) {
        html += "<div class=\"howto\"><h2>What to do</h2><p>" + description.howTo + "</p></div>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

QString PageWriter::helpPage(const QString& title, const QStringList& paragraphs) {
    QString html = headWithStyle(
        title,
        "body { font-family: 'DejaVu Sans', Verdana, sans-serif; font-size: 16px; "
        "line-height: 1.6; color: #1d2633; background: #f6f8fc; margin: 0; "
        "padding: 24px 40px; max-width: 44em; }\n"
        "h1 { color: #1d3357; border-bottom: 3px solid #f2b33d; padding-bottom: 6px; }\n");
    html += "<body>\n<h1>" + title.toHtmlEscaped() + "</h1>\n";
    for (const QString& paragraph : paragraphs) {
        html += "<p>" + paragraph + "</p>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

QString PageWriter::lessonStyle() {
    return "body { font-family: 'DejaVu Serif', Georgia, serif; font-size: 20px; "
           "line-height: 1.75; color: #1d2633; background: #fbfaf6; margin: 0; "
           "padding: 16px 32px 80px; }\n"
           "h1 { font-family: 'DejaVu Sans', Verdana, sans-serif; font-size: 26px; "
           "color: #1d3357; border-bottom: 3px solid #f2b33d; padding-bottom: 6px; }\n"
           "p { margin: 0 0 0.9em; }\n"
           "a.anchor { display: inline; }\n"
           ".text, .instext, .cycle { padding: 2px 3px; border-radius: 5px; "
           "transition: background-color 0.25s; }\n"
           ".text { background: transparent; }\n"
           ".instext { background: #ffe79a; box-shadow: 0 0 0 2px #ffe79a; color: #10151d; }\n"
           ".cycle { background: #d6ecd8; }\n"
           ".comm, .inscomm { font-family: 'DejaVu Sans', Verdana, sans-serif; font-size: 17px; "
           "font-style: italic; color: #4d5a70; margin: 0.4em 0 1em; padding: 8px 14px; "
           "border-left: 4px solid #9fb4d4; border-radius: 0 8px 8px 0; "
           "transition: background-color 0.25s; }\n"
           ".comm { background: #eef2f8; }\n"
           ".inscomm { background: #fff1c4; border-left-color: #f2b33d; color: #2b3445; }\n"
           "div.cycle { font-style: italic; margin: 0.4em 0 1em; padding: 8px 14px; }\n";
}

QString PageWriter::testStyle() {
    return "body { font-family: 'DejaVu Sans', Verdana, sans-serif; font-size: 17px; "
           "line-height: 1.6; color: #1d2633; background: #fbfaf6; margin: 0; "
           "padding: 20px 40px 60px; }\n"
           "h1 { font-size: 26px; color: #1d3357; border-bottom: 3px solid #f2b33d; "
           "padding-bottom: 6px; }\n"
           ".intro { color: #4d5a70; font-style: italic; }\n"
           "ol.questions > li { margin-bottom: 1.2em; }\n"
           ".prompt { font-weight: bold; margin: 0 0 0.3em; }\n"
           "label { cursor: pointer; }\n"
           "input[type=radio], input[type=checkbox] { margin-right: 0.4em; }\n"
           "input.answer, textarea.answer { font: inherit; padding: 6px 8px; "
           "border: 1px solid #a9b8d0; border-radius: 6px; background: #fff; }\n"
           "/* Feedback stays hidden until the check marks it. */\n"
           ".text { display: none; }\n"
           ".instext { display: inline; color: #b3261e; font-weight: bold; font-size: 15px; "
           "margin-left: 0.6em; }\n"
           ".comm { display: none; }\n"
           ".inscomm { display: inline; color: #b3261e; font-style: italic; }\n"
           ".cycle { background: #d6ecd8; }\n";
}

QString PageWriter::descriptionStyle() {
    return "body { font-family: 'DejaVu Sans', Verdana, sans-serif; font-size: 16px; "
           "line-height: 1.6; color: #1d2633; background: #f6f8fc; margin: 0; "
           "padding: 18px 26px 40px; }\n"
           "img.banner { display: block; width: 100%; max-width: 640px; border-radius: 10px; "
           "box-shadow: 0 2px 8px rgba(20, 40, 80, 0.25); }\n"
           "h1 { font-size: 22px; color: #1d3357; margin: 0.7em 0 0.4em; }\n"
           ".howto { background: #fff7e0; border-left: 4px solid #f2b33d; "
           "border-radius: 0 8px 8px 0; padding: 4px 16px; margin-top: 1.2em; }\n"
           ".howto h2 { font-size: 16px; color: #8a5a00; margin: 0.6em 0 0.2em; }\n"
           ".text, .instext, .comm, .inscomm, .cycle { }\n";
}

}  // namespace lectern::demo
