#pragma once

#include "platform/jpeg/PictureBudget.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace lectern::platform {

class CourseFiles;

// A JPEG picture, decoded with libjpeg into a 32-bit RGB image. One object is
// loaded again and again; each successful load replaces the picture as a whole,
// so images handed out earlier (QImage shares on copy) never change, and a
// failed load leaves the previous picture in place.
//
// Colour: grey-scale, YCbCr and RGB pictures come out as RGB; CMYK and YCCK
// pictures are converted to RGB, reading the inverted CMYK that Adobe
// applications write when the Adobe marker says so.
//
// Size: a picture of more than MaxPixels pixels is decoded at a reduced scale
// (libjpeg's DCT scaling, in eighths), so that the decoded image stays below
// 64 MB whatever the file claims; skin pictures are stretched to their places
// anyway. libjpeg's own working memory is capped at MaxDecoderMemory: a
// progressive picture whose coefficients alone would exceed it fails with the
// decoder's "backing store" error instead of exhausting memory.
//
// Failures raise Error "JPEG error #%d" with libjpeg's message code; a file
// that cannot be read, or whose decoded size does not fit the budget it is
// loaded under, raises "Cannot open file %s" with the reason. The budget is
// charged from the header, before any row is decoded. Warnings (a truncated
// file, corrupt data) are not failures: what could be decoded is shown, the
// rest grey.
class TJPEGImage {
  public:
    static constexpr qint64 MaxPixels = 4096LL * 4096;
    static constexpr long MaxDecoderMemory = 256L * 1024 * 1024;

    void LoadFromFile(const CourseFiles& files, const QString& coursePath,
                      PictureBudget* budget = nullptr);
    void LoadFromBytes(const QByteArray& bytes);

    const QImage& Image() const { return image_; }
    bool Empty() const { return image_.isNull(); }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

    // Decodes a whole JPEG file held in memory; raises as LoadFromFile does,
    // naming `shownName`.
    static QImage decode(const QByteArray& bytes, PictureBudget* budget = nullptr,
                         const QString& shownName = QString());

  private:
    QImage image_;
};

}  // namespace lectern::platform
