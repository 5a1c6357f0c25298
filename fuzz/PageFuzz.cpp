// A lesson or test page as the windows use it: parsed into the document
// model, highlighted passage by passage, its test inputs checked and read,
// and the snapshot that a written test saves.
#include "FuzzInput.h"
#include "exercises/markup/PageMarkup.h"
#include "platform/Error.h"
#include "platform/browser/DocumentModel.h"
#include "platform/browser/InertPage.h"
#include "platform/browser/PageFile.h"
#include "platform/files/TextDecoding.h"

#include <cstdlib>

using namespace lectern;
using platform::Variant;

namespace {

template <typename Operation>
void tolerate(Operation operation) {
    try {
        operation();
    } catch (const platform::Error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const platform::TextDecoding decoding;
    const QString path = fuzz::writeScratch(QStringLiteral("page.htm"), fuzz::bytesOf(data, size));
    const std::shared_ptr<platform::DocumentModel> model = platform::readPageFile(path, decoding);
    const Variant document = model->document();
    // Passages as the reading and unit work windows move through them.
    for (int k = 1; k <= 6; ++k) {
        tolerate([&] { exercises::ShowPassage(document, k); });
        tolerate([&] { exercises::MoveHighlight(document, k, k + 1); });
        tolerate([&] {
            exercises::MarkRest(exercises::FindElement(document, QStringLiteral("t%1").arg(k)));
        });
        tolerate([&] {
            exercises::SetClass(exercises::FindElement(document, QStringLiteral("t%1").arg(k)),
                                QStringLiteral("cycle"));
        });
    }
    // A test page checked as the test window checks it.
    tolerate([&] {
        const int n = exercises::InputCount(document);
        for (int j = 1; j <= n && j <= 64; ++j) {
            const Variant input = exercises::FindInput(document, j);
            if (input.isEmptyOrNull())
                break;
            input.call(QStringLiteral("Click"));
            tolerate([&] { (void)exercises::InputRtype(input); });
            (void)exercises::InputName(input);
            (void)exercises::InputChecked(input);
            input.set(QStringLiteral("value"), QStringLiteral("Ответ & <b>"));
        }
    });
    tolerate([&] {
        const QString snapshot = exercises::PageSnapshot(document);
        // What is saved reads back, and holds nothing that runs or fetches.
        const QString saved = platform::inertPage(snapshot);
        const Variant reread =
            platform::DocumentModel::parse(saved.toUtf8(), "utf-8", path)->document();
        for (const char* tag : {"script", "iframe", "object", "embed", "base", "link"})
            if (reread.call(QStringLiteral("getElementsByTagName"), QString::fromLatin1(tag))
                    .get(QStringLiteral("length"))
                    .toInt() > 0)
                abort();
        const Variant all =
            reread.call(QStringLiteral("getElementsByTagName"), QStringLiteral("*"));
        const int count = all.get(QStringLiteral("length")).toInt();
        for (int i = 0; i < count; ++i)
            for (const char* name : {"onload", "onerror", "src", "href", "action", "formaction"})
                if (!all.get(QString::number(i))
                         .call(QStringLiteral("getAttribute"), QString::fromLatin1(name))
                         .isNull())
                    abort();
    });
    return 0;
}
