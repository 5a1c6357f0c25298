#pragma once

#include <QLabel>

namespace lectern::exercises {

// The countdown label of the timed windows: bold, transparent, on the top bar.
inline QLabel* makeCountdownLabel(QWidget* bar) {
    auto* label = new QLabel(QStringLiteral("Time countdown 0 seconds"), bar);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setStyleSheet(QStringLiteral("background: transparent"));
    label->move(60, 30);
    label->resize(400, 24);
    // Named once: a name that changed every second would be read every second.
    label->setAccessibleName(QStringLiteral("Time countdown"));
    return label;
}

}  // namespace lectern::exercises
