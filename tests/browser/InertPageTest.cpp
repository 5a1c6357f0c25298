// A page made inert for keeping: it runs and fetches nothing, and keeps its
// text and the learner's answers.
#include "platform/browser/InertPage.h"
#include "platform/browser/InertStyle.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

using lectern::platform::inertPage;
using lectern::platform::inertStyle;

namespace {

QString page(const QString& head, const QString& body) {
    return "<head>" + head + "</head><body>" + body + "</body>";
}

// What no inert page holds, whatever it came from.
const QRegularExpression forbidden(
    R"h(<(script|iframe|frame|object|embed|applet|base|link|noscript|svg|math|animate|form)\b)h"
    R"h(|\son[a-z]*\s*=|\s(src|href|srcset|action|formaction|poster|data|background|xlink:href)=)h"
    R"h(|url\(|@import|javascript:|beacon)h",
    QRegularExpression::CaseInsensitiveOption);

}  // namespace

TEST(InertPageTest, NothingRunsOrFetchesAndTextAndAnswersStay) {
    const struct {
        QString head;
        QString body;
        QString kept;  // what must still be in the page
    } cases[] = {
        {"<script>fetch('http://beacon')</script><title>Quiz</title>", "<p>text</p>",
         "<title>Quiz</title>"},
        {R"h(<meta http-equiv="refresh" content="0;url=http://beacon">)h"
         R"h(<base href="http://beacon/"><link rel="stylesheet" href="http://beacon/s.css">)h",
         "<p>stay</p>", "<p>stay</p>"},
        {"", R"h(<body onload="go()"><p onclick="go()" OnMouseOver="go()" class="text">a</p>)h",
         R"h(<p class="text">a</p>)h"},
        {"", R"h(<img src="http://beacon/p.gif" srcset="http://beacon/2.gif 2x" alt="pic">)h",
         R"h(<img alt="pic">)h"},
        {"", R"h(<a href="javascript:go()">help</a> <a href="http://beacon">more</a>)h",
         "<a>help</a> <a>more</a>"},
        {"",
         R"h(<form action="http://beacon/p"><input type="text" id="q1" value="Анна" rtype="1">)h"
         R"h(<button formaction="http://beacon/f">Send</button></form>)h",
         R"h(<input type="text" id="q1" value="Анна" rtype="1"><button>Send</button>)h"},
        {"", R"h(<input type="checkbox" id="q2" checked><input type="image" src="http://beacon">)h",
         R"h(<input type="checkbox" id="q2" checked>)h"},
        {"",
         R"h(<video poster="http://beacon/p.png"><source src="../temp1.wav">no video</video>)h"
         R"h(<object data="http://beacon/o">fallback</object><embed src="http://beacon/e">)h"
         R"h(<iframe src="http://beacon/f"></iframe>)h",
         "no video"},
        {"", R"h(<table background="http://beacon/t.png"><tr><td>cell</td></tr></table>)h",
         "<td>cell</td>"},
        {"<style>@import url(http://beacon/i.css); @IMPORT 'http://beacon/j.css';"
         ".text { color: red; background: url( 'http://beacon/b.png' ) }"
         ".x { background-image: image-set(\"http://beacon/c.png\" 1x) }</style>",
         "<p>styled</p>", ".text { color: red; background: none }"},
        {"", R"h(<p style="color: blue; background:URL(http://beacon/p.png)">s</p>)h",
         R"h(<p style="color: blue; background:none">s</p>)h"},
        {"<style>/* a */ .a { color: red } </style><style>.b { } </style><style>"
         "</style>",
         "<p>x</p>", ".a { color: red }"},
        // A browser reads these with other rules than the parser: nothing
        // inside may come back as markup.
        {"",
         R"h(<noscript><p title="</noscript><img src=x onerror=go()>"></p></noscript>)h"
         R"h(<textarea id="essay" rows="3"><b title="</textarea><img src=x onerror=go()>">)h"
         "Two\nlines</b></textarea>",
         "rows=\"3\">Two\nlines</textarea>"},
        {"<style>.a { color: red } </style><img src=x onerror=go()></style>", "<p>y</p>",
         "<p>y</p>"},
        {"",
         R"h(<svg><a xlink:href="http://beacon/s"><text>svg text</text></a>)h"
         R"h(<animate attributeName="href" to="javascript:go()"/></svg><!-- comment -->)h",
         "svg text"},
        {"", R"h(<p data-mark="1" aria-label="note" title="Note: read" lang="ru">p</p>)h",
         R"h(<p data-mark="1" aria-label="note" title="Note: read" lang="ru">p</p>)h"},
    };
    for (const auto& c : cases) {
        const QString saved = inertPage(page(c.head, c.body));
        SCOPED_TRACE((c.head + c.body).toStdString());
        EXPECT_FALSE(saved.contains(forbidden)) << saved.toStdString();
        EXPECT_TRUE(saved.contains(c.kept)) << saved.toStdString();
        EXPECT_TRUE(saved.startsWith(
            R"h(<head><meta charset="utf-8"><meta http-equiv="Content-Security-Policy" )h"
            R"h(content="default-src 'none'; style-src 'unsafe-inline'">)h"))
            << saved.toStdString();
    }
}

TEST(InertPageTest, StyleTextThatCannotBeReadSafelyGoes) {
    EXPECT_EQ(inertStyle(R"h(.a { background: u\72l(http://beacon) })h"), "");
    EXPECT_EQ(inertStyle(".a { color: red } </style><script>"), "");
    EXPECT_EQ(inertStyle("/* only a comment */"), "");
    EXPECT_EQ(inertStyle(".a { content: 'url(' } .b { color: red }"),
              ".a { content: 'url(' } .b { color: red }");
    EXPECT_EQ(inertStyle("@font-face { src: local(x), url(http://beacon/f.woff) }"),
              "@font-face { src: local(x), none }");
}
