#include "support/PageFiles.h"

#include "support/TempDir.h"

#include <QFile>
#include <stdexcept>

namespace lectern::test {

QByteArray testPage(const QString& relative) {
    QFile file(testDataPath("pages/" + relative));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the test page " + relative.toStdString());
    return file.readAll();
}

QByteArray htmlPage(const QByteArray& body, const QByteArray& head) {
    const QByteArray headElement = head.isEmpty() ? QByteArray() : "<head>" + head + "</head>";
    return "<html>" + headElement + "<body>" + body + "</body></html>";
}

QByteArray deepPage(int depth) {
    return htmlPage(QByteArray("<div>").repeated(depth) + "<p id=\"t1\" class=\"text\">deep</p>");
}

}  // namespace lectern::test
