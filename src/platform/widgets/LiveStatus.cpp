#include "platform/widgets/LiveStatus.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace lectern::platform {
namespace {

QAccessibleInterface* statusFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(LiveStatus::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

}  // namespace

LiveStatus::LiveStatus(QWidget* window) : QWidget(window) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(statusFactory);
        return true;
    }();
    (void)factoryInstalled;
    setObjectName(QStringLiteral("LiveStatus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
    // Made while screen readers listen, the widget may already have been
    // given a plain interface, while it was no more than a QWidget.
    if (QAccessibleInterface* early = QAccessible::queryAccessibleInterface(this);
        early && early->role() != QAccessible::Notification)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
}

LiveStatus& LiveStatus::of(QWidget* window) {
    if (auto* status = window->findChild<LiveStatus*>(QString(), Qt::FindDirectChildrenOnly))
        return *status;
    return *new LiveStatus(window);
}

void LiveStatus::tell(const QString& text) {
    // Readers speak a notification as it appears: it goes and comes back
    // with the new text.
    hide();
    setAccessibleName(text);
    show();
}

}  // namespace lectern::platform
