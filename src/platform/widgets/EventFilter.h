#pragma once

#include <QObject>
#include <functional>

class QEvent;

namespace lectern::platform {

// Shows every event of one object to a function before the object sees it;
// the function answers true to consume the event, false to let it pass. The
// filter lives as long as `owner`. The function runs on Qt's event loop: a
// handler that may fail is wrapped in its window's guard by the caller.
class EventFilter : public QObject {
  public:
    using Predicate = std::function<bool(QObject* watched, QEvent* event)>;

    static void install(QObject* watched, QObject* owner, Predicate predicate);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EventFilter(QObject* owner, Predicate predicate);

    Predicate predicate_;
};

}  // namespace lectern::platform
