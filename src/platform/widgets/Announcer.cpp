#include "platform/widgets/Announcer.h"

#include "platform/widgets/LiveStatus.h"

#include <QString>
#include <QWidget>

namespace lectern::platform {

void announce(QWidget* source, const QString& text) {
    if (source == nullptr)
        return;
    LiveStatus::of(source->window()).tell(text);
}

}  // namespace lectern::platform
