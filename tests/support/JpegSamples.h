#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

namespace lectern::test {

// JPEG files made on the spot: a picture of one colour, at a size.
QByteArray jpegOf(const QImage& image, bool progressive = false, int quality = 95);
QByteArray solidJpeg(int width, int height, QColor colour, bool progressive = false);
// The same file, with the frame header claiming another size.
QByteArray withClaimedSize(QByteArray jpeg, int width, int height);

}  // namespace lectern::test
