#include "platform/widgets/EventFilter.h"

namespace lectern::platform {

EventFilter::EventFilter(QObject* owner, Predicate predicate)
    : QObject(owner), predicate_(std::move(predicate)) {}

void EventFilter::install(QObject* watched, QObject* owner, Predicate predicate) {
    watched->installEventFilter(new EventFilter(owner, std::move(predicate)));
}

bool EventFilter::eventFilter(QObject* watched, QEvent* event) {
    return predicate_(watched, event);
}

}  // namespace lectern::platform
