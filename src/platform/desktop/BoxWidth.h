#pragma once

#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace lectern::platform {

// Makes a box at least `width` wide, within the screen. A box is as wide as
// its text, and a caption as wide as the box gets cut.
inline void widenBox(QMessageBox& box, int width) {
    if (const QScreen* screen = box.screen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace lectern::platform
