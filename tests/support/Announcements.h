#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>

namespace lectern::test {

// What screen readers are told while it lives, in order: the texts of the
// windows' live status objects each time one appears, which is when the
// accessibility bridge tells a listening screen reader.
class Announcements : public QObject {
  public:
    Announcements() { QCoreApplication::instance()->installEventFilter(this); }

    const QStringList& texts() const { return texts_; }
    void clear() { texts_.clear(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == "LiveStatus")
            texts_ << static_cast<QWidget*>(watched)->accessibleName();
        return false;
    }

  private:
    QStringList texts_;
};

}  // namespace lectern::test
