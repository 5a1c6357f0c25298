#include "platform/jpeg/PictureBudget.h"

namespace lectern::platform {

bool PictureBudget::take(qint64 pixels) {
    if (pixels > left_)
        return false;
    left_ -= pixels;
    return true;
}

QString PictureBudget::exceeded() const {
    return QStringLiteral("the pictures of the skin and the splash would take more than %1 Mpx")
        .arg(total_ >> 20);
}

}  // namespace lectern::platform
