#include "platform/Error.h"
#include "platform/files/CourseFiles.h"
#include "platform/jpeg/TJPEGImage.h"
#include "support/ErrorOf.h"
#include "support/JpegSamples.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>
#include <QBuffer>
#include <QImageWriter>
#include <cstdio>

namespace lectern {
namespace {

using platform::TJPEGImage;
using test::solidJpeg;

QString decodeError(const QByteArray& bytes) {
    try {
        TJPEGImage::decode(bytes);
    } catch (const platform::Error& error) {
        return error.message();
    }
    return QStringLiteral("(decoded)");
}

QString jpegError(int code) {
    return QStringLiteral("JPEG error #%1").arg(code);
}

void expectColour(const QImage& image, QColor expected, int tolerance = 12) {
    const QColor actual = image.pixelColor(image.width() / 2, image.height() / 2);
    EXPECT_NEAR(actual.red(), expected.red(), tolerance);
    EXPECT_NEAR(actual.green(), expected.green(), tolerance);
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance);
}

TEST(TJPEGImage, DecodesColourGreyAndProgressivePicturesToRgb) {
    const QColor orange(230, 120, 20);
    const QImage colour = TJPEGImage::decode(solidJpeg(37, 21, orange));
    EXPECT_EQ(colour.size(), QSize(37, 21));
    EXPECT_EQ(colour.format(), QImage::Format_RGB32);
    expectColour(colour, orange);

    const QByteArray progressiveFile = solidJpeg(64, 48, orange, true);
    ASSERT_TRUE(progressiveFile.contains("\xFF\xC2")) << "the writer made no progressive file";
    const QImage progressive = TJPEGImage::decode(progressiveFile);
    EXPECT_EQ(progressive.size(), QSize(64, 48));
    expectColour(progressive, orange);

    QImage greyPicture(20, 10, QImage::Format_Grayscale8);
    greyPicture.fill(QColor(90, 90, 90));
    const QImage grey = TJPEGImage::decode(test::jpegOf(greyPicture));
    EXPECT_EQ(grey.format(), QImage::Format_RGB32);
    expectColour(grey, QColor(90, 90, 90), 4);
}

TEST(TJPEGImage, ConvertsAdobeInvertedCmykToItsColour) {
    // Written by ImageMagick from rgb(220,30,30) as Adobe CMYK (YCCK-coded).
    const platform::CourseFiles files;
    TJPEGImage picture;
    picture.LoadFromFile(files, test::testDataPath("skin/cmyk-red.jpg"));
    EXPECT_EQ(picture.Image().size(), QSize(16, 16));
    expectColour(picture.Image(), QColor(220, 30, 30), 20);
}

TEST(TJPEGImage, ReportsUnreadableFilesWithTheDecodersCode) {
    test::TempDir dir;
    const platform::CourseFiles files;
    TJPEGImage picture;
    EXPECT_EQ(lectern::test::errorOf(
                  [&] { picture.LoadFromFile(files, dir.path() + "\\gdata\\none.jpg"); }),
              "Cannot open file " + dir.path() + "/gdata/none.jpg");

    EXPECT_EQ(decodeError(QByteArray()), jpegError(JERR_INPUT_EMPTY));

    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    EXPECT_EQ(decodeError(png), jpegError(JERR_NO_SOI));

    // Cut inside the headers: nothing to show.
    EXPECT_EQ(decodeError(solidJpeg(16, 16, Qt::red).left(40)).left(12), "JPEG error #");
}

TEST(TJPEGImage, ShowsWhatATruncatedPictureHolds) {
    const QByteArray whole = test::jpegOf([] {
        QImage image(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                image.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
        return image;
    }());
    const QImage cut = TJPEGImage::decode(whole.left(whole.size() * 2 / 3));
    EXPECT_EQ(cut.size(), QSize(64, 64));
}

TEST(TJPEGImage, DecodesAHugePictureAtAReducedScale) {
    // A small file whose header claims 10000 x 10000: the decoder sees a huge
    // picture with most of its data missing.
    const QByteArray huge = test::withClaimedSize(solidJpeg(16, 16, Qt::blue), 10000, 10000);
    const QImage image = TJPEGImage::decode(huge);
    EXPECT_LE(qint64(image.width()) * image.height(), TJPEGImage::MaxPixels);
    EXPECT_GE(image.width(), 2048);
    EXPECT_EQ(image.width(), image.height());

    // A progressive one needs all its coefficients at once: past the decoder's
    // memory cap it fails with the decoder's code instead of exhausting memory.
    const QByteArray progressive =
        test::withClaimedSize(solidJpeg(16, 16, Qt::blue, true), 10000, 10000);
    EXPECT_EQ(decodeError(progressive), jpegError(JERR_NO_BACKING_STORE));
}

TEST(TJPEGImage, PicturesUnderABudgetAreChargedFromTheirHeaderBeforeDecoding) {
    // 291 bytes that claim 32000 x 32000: each decodes at 1/8 to 4000 x 4000.
    const QByteArray huge = test::withClaimedSize(solidJpeg(16, 16, Qt::blue), 32000, 32000);
    test::TempDir dir;
    for (int i = 0; i < 5; ++i)
        dir.write(QStringLiteral("gdata/m%1.jpg").arg(i), huge);
    const platform::CourseFiles files;
    platform::PictureBudget budget(4 * TJPEGImage::MaxPixels);
    TJPEGImage picture;
    for (int i = 0; i < 4; ++i) {
        picture.LoadFromFile(files, dir.path() + QStringLiteral("\\gdata\\m%1.jpg").arg(i),
                             &budget);
        EXPECT_EQ(picture.Image().size(), QSize(4000, 4000));
    }
    EXPECT_EQ(test::errorOf(
                  [&] { picture.LoadFromFile(files, dir.path() + "\\gdata\\m4.jpg", &budget); }),
              "Cannot open file " + dir.path() +
                  "/gdata/m4.jpg: the pictures of the skin and the splash would take more than "
                  "64 Mpx (this one is 4000×4000 once decoded)");
    EXPECT_EQ(budget.left(), 4 * TJPEGImage::MaxPixels - 4 * 4000 * 4000)
        << "a refused picture charges nothing";
    // A small one still fits what is left.
    EXPECT_NO_THROW(TJPEGImage::decode(solidJpeg(100, 100, Qt::red), &budget, "small"));
}

TEST(TJPEGImage, AFailedLoadKeepsThePictureAndALaterLoadLeavesCopiesAlone) {
    TJPEGImage picture;
    picture.LoadFromBytes(solidJpeg(10, 10, Qt::green));
    const QImage copied = picture.Image();
    EXPECT_THROW(picture.LoadFromBytes("not a picture"), platform::Error);
    EXPECT_EQ(picture.Image().size(), QSize(10, 10));

    picture.LoadFromBytes(solidJpeg(30, 5, Qt::red));
    EXPECT_EQ(copied.size(), QSize(10, 10));
    expectColour(copied, Qt::green);
}

}  // namespace
}  // namespace lectern
