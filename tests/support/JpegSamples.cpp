#include "support/JpegSamples.h"

#include <QBuffer>
#include <QImageWriter>
#include <stdexcept>

namespace lectern::test {

QByteArray jpegOf(const QImage& image, bool progressive, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        throw std::runtime_error("cannot write a JPEG: " + writer.errorString().toStdString());
    return bytes;
}

QByteArray solidJpeg(int width, int height, QColor colour, bool progressive) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return jpegOf(image, progressive);
}

QByteArray withClaimedSize(QByteArray jpeg, int width, int height) {
    for (qsizetype i = 2; i + 8 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            return jpeg;
        }
    }
    throw std::runtime_error("no frame header");
}

}  // namespace lectern::test
