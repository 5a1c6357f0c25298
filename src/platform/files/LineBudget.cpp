#include "platform/files/LineBudget.h"

namespace lectern::platform {

bool LineCounter::refuse(QString reason) {
    failure_ = std::move(reason);
    return false;
}

bool LineCounter::take(QByteArrayView chunk) {
    if (!failure_.isEmpty())
        return false;
    for (const char c : chunk) {
        if (ended_)
            return true;
        if (c == '\0') {
            ended_ = true;
            return true;
        }
        if (c == '\n' && afterCr_) {
            afterCr_ = false;
            continue;
        }
        afterCr_ = c == '\r';
        if (c == '\r' || c == '\n') {
            open_ = false;
            length_ = 0;
            ++complete_;
            if (budget_.lines > 0 && complete_ > budget_.lines)
                return refuse(QStringLiteral("it has more than %1 lines").arg(budget_.lines));
            continue;
        }
        if (!open_) {
            open_ = true;
            if (budget_.lines > 0 && complete_ + 1 > budget_.lines)
                return refuse(QStringLiteral("it has more than %1 lines").arg(budget_.lines));
        }
        if (budget_.lineBytes > 0 && ++length_ > budget_.lineBytes)
            return refuse(QStringLiteral("line %1 is longer than %2 KB")
                              .arg(complete_ + 1)
                              .arg(budget_.lineBytes / 1024));
    }
    return true;
}

}  // namespace lectern::platform
