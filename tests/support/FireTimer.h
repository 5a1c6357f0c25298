#pragma once

#include <QMetaObject>
#include <QTimer>

namespace lectern::test {

// Runs a timer's tick now, as its timeout would: through the window's
// binding, with the guard and the stop on failure, whether it runs or not.
inline void fireTimer(QTimer& timer) {
    QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection);
}

}  // namespace lectern::test
