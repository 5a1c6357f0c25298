#pragma once

#include <QString>
#include <QtGlobal>

namespace lectern::platform {

// The pixels a set of pictures may take once decoded, all together: the
// skin and the splash stay in memory for the whole run, so a course of many
// pictures that each fit cannot add up to gigabytes. Each picture is charged
// at its decoded size (after any scaling) before it is decoded.
class PictureBudget {
  public:
    explicit PictureBudget(qint64 pixels) : left_(pixels), total_(pixels) {}

    // Charges a picture of that size; false, charging nothing, when it does
    // not fit in what is left.
    bool take(qint64 pixels);
    qint64 left() const { return left_; }
    // "the pictures of the skin and the splash would take more than 64 Mpx".
    QString exceeded() const;

  private:
    qint64 left_;
    qint64 total_;
};

}  // namespace lectern::platform
