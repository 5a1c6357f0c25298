#include "platform/browser/WidgetWindowsOnly.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QQuickWindow>
#include <utility>

namespace lectern::platform {
namespace {

// The windows a reader is given: top-level windows with an accessible
// object, as Qt lists them, but for the web views' render windows.
QObjectList playerWindows() {
    QObjectList list;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->type() == Qt::Popup || window->type() == Qt::Desktop ||
            qobject_cast<QQuickWindow*>(window))
            continue;
        if (QAccessibleInterface* root = window->accessibleRoot(); root && root->object())
            list.append(root->object());
    }
    return list;
}

class PlayerApplication : public QAccessibleInterface {
  public:
    bool isValid() const override { return true; }
    QObject* object() const override { return qApp; }
    QWindow* window() const override { return nullptr; }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override {
        QWindow* focus = QGuiApplication::focusWindow();
        return focus && !qobject_cast<QQuickWindow*>(focus) ? focus->accessibleRoot() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return nullptr; }
    QAccessibleInterface* child(int index) const override {
        const QObjectList windows = playerWindows();
        return index >= 0 && index < windows.size()
                   ? QAccessible::queryAccessibleInterface(windows.at(index))
                   : nullptr;
    }
    int childCount() const override { return int(playerWindows().size()); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(playerWindows().indexOf(child->object())) : -1;
    }
    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return QGuiApplication::applicationName();
            case QAccessible::Description:
                return QGuiApplication::applicationFilePath();
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Application; }
    QAccessible::State state() const override { return {}; }
};

QAccessibleInterface* applicationFactory(const QString&, QObject* object) {
    return object && object == qApp ? new PlayerApplication : nullptr;
}

}  // namespace

void exposeOnlyWidgetWindows() {
    static bool done = false;
    if (std::exchange(done, true))
        return;
    QAccessible::installFactory(applicationFactory);
    // Readers that asked before have Qt's own list of windows.
    if (qApp)
        if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(qApp);
            known && !dynamic_cast<PlayerApplication*>(known))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

}  // namespace lectern::platform
