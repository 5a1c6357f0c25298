#pragma once

#include <QByteArray>
#include <QString>

namespace lectern::test {

// The page tests/data/pages/<relative>, as the bytes a course would hold;
// throws when it cannot be read.
QByteArray testPage(const QString& relative);
// A page of `body` inside the html and body elements, and of `head` in a
// head element when there is one.
QByteArray htmlPage(const QByteArray& body, const QByteArray& head = {});
// A page whose passage t1 stands inside `depth` div elements never closed.
QByteArray deepPage(int depth);

}  // namespace lectern::test
